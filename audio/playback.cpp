#include "audio/playback.h"

#include "app/app_instance.h"
#include "platform/win32.h"

void play_tone() { Beep(262, 500); }

void play_wave(const char* name) { PlaySoundA(name, app_instance, SND_RESOURCE | SND_ASYNC); }
