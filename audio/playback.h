// The two ways the program makes a sound.
#pragma once

// Beep at 262 Hz for 500 ms; returns when the tone has ended, 500 ms later.
// The thread does nothing else meanwhile.
void play_tone();

// Starts the WAVE resource `name` of app_instance (found without regard to
// case) and returns at once; a wave still playing stops. A name that is not
// found plays the system's default sound.
void play_wave(const char* name);
