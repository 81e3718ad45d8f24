// The kernel's tone and the multimedia library's wave playback.
#pragma once
#include "platform/win32_types.h"

// Flags of PlaySoundA, with Windows' values.
#define SND_SYNC 0x0000u         // return when the sound has ended
#define SND_ASYNC 0x0001u        // start the sound and return at once
#define SND_NODEFAULT 0x0002u    // a sound that is not found plays nothing
#define SND_MEMORY 0x0004u       // the sound is a RIFF WAVE image in memory
#define SND_LOOP 0x0008u         // (not supported here: the sound plays once)
#define SND_NOSTOP 0x0010u       // fail instead of stopping a sound that plays
#define SND_PURGE 0x0040u        // with a null sound: stop what plays
#define SND_APPLICATION 0x0080u
#define SND_NOWAIT 0x00002000u
#define SND_ALIAS 0x00010000u
#define SND_FILENAME 0x00020000u
#define SND_RESOURCE 0x00040004u  // the sound is a WAVE resource of the module
#define SND_ALIAS_ID 0x00110000u

// Plays a sine tone of `frequency` Hz (37 to 32767) and returns after
// `duration` ms, through Sleep, whether or not a sound device exists.
// FALSE, at once and silently, for a frequency out of range.
BOOL WINAPI Beep(DWORD frequency, DWORD duration);

// Plays a RIFF WAVE sound, stopping the one that still plays. With
// SND_RESOURCE `sound` names a WAVE resource of `module` (compared without
// regard to case); with SND_MEMORY it points at the image. A sound that
// cannot be found or read plays the default sound unless SND_NODEFAULT is set,
// and the result is FALSE. A null `sound` stops what plays. SND_ASYNC returns
// at once; otherwise the call returns when the sound has ended.
BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
