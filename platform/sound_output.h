// The sound output: one sound at a time through ALSA's default PCM device
// (so also through PulseAudio or PipeWire), played on a thread of the
// platform layer so that callers never wait for the device. When there is no
// device, or it is busy or broken, nothing is played and nothing is reported.
#pragma once
#include "platform/sound_wave.h"
#include "platform/win32_types.h"

// Switches real output on or off for the whole process (on at start). While
// off, sounds are still recorded and still take their time, but nothing
// reaches the device.
void sound_output_enable(bool on);
bool sound_output_enabled();

// Stops the sound that plays, if any, and starts `pcm`; returns at once.
// Does nothing while output is off.
void sound_output_play(sound_pcm pcm);

// Stops the sound that plays, if any; returns at once.
void sound_output_stop();

// True while a sound is waiting to be played or still playing.
bool sound_output_busy();

// Waits until no sound plays, at most `timeout_ms`; false on timeout. For tests
// that look at what reached the device.
bool sound_output_wait_idle(DWORD timeout_ms);
