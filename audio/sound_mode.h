// The feedback mode and the sounds chosen by it: at start-up, as the sample
// after the mode changes, and after every card event.
#pragma once
#include <cstdint>

// 0 tone, 1 the BEEP wave, 2 voice (greetings and farewell). 0 when the
// process starts. Values above 2 never stay; a negative value read from
// sound.ini stays and behaves as voice.
extern int32_t sound_mode;

// Reads sound.ini into sound_mode: one decimal integer after optional white
// space, with an optional sign. A missing or unreadable file, or one that does
// not begin with a number, leaves sound_mode as it is; a value above 2 is
// reduced modulo 3. The file itself is not rewritten.
void sound_mode_load();

// The start-up sound of the mode just loaded: mode 0 the tone (holding the
// thread for 500 ms), mode 1 the BEEP wave, voice and negative modes nothing.
void play_startup_sound();

// Advances sound_mode (2 wraps to 0; a negative value moves up by one), saves
// it to sound.ini as "%d" CR LF, and plays the new mode's sample: the tone,
// the BEEP wave, or the greeting for current_time(). A sound.ini that cannot
// be written is not reported; the new mode holds for this run.
void sound_mode_cycle();

// The sound after a card event. `state` is the holder's new presence state
// (0 out, 1 in) or -1 after a cancelled registration; `tick_time` is when the
// card was read. Mode 0 the tone, mode 1 the BEEP wave, whatever the state.
// Voice: coming in, the greeting for `tick_time`; going out, the farewell
// "otsuka"; after a cancelled registration, the BEEP wave, greeting no one.
void play_card_feedback(int32_t state, int64_t tick_time);
