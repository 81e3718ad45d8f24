// A record of every Beep and PlaySoundA call of the process, in call order,
// for tests and the headless view to read back.
#pragma once
#include <string>
#include <vector>

#include "platform/win32_types.h"

enum class sound_kind {
  tone,           // Beep
  wave,           // PlaySoundA: the sound was found and started
  default_sound,  // PlaySoundA: not found, the default sound played instead
  silent,         // PlaySoundA: not found, SND_NODEFAULT, nothing played
  stop,           // PlaySoundA with a null sound
};

struct sound_call {
  sound_kind kind;
  std::string name;  // as passed to PlaySoundA ("#n" for a number); empty for Beep
  DWORD frequency;   // Hz, Beep only
  DWORD duration;    // ms: the tone's, or the length of the wave played
  DWORD tick;        // GetTickCount() at the call
};

// Appends one call. Only the most recent 10000 calls are kept, so a program
// that runs for months does not grow without bound.
void sound_record_add(const sound_call& call);

// The calls recorded since the start or the last clear, oldest first.
std::vector<sound_call> sound_record();

// Forgets every recorded call.
void sound_record_clear();
