#include "audio/sound_mode.h"

#include "attendance/clock.h"
#include "audio/greeting.h"
#include "audio/playback.h"
#include "audio/sound_ini.h"

int32_t sound_mode = 0;

namespace {

constexpr int32_t mode_tone = 0;
constexpr int32_t mode_wave = 1;

}  // namespace

void sound_mode_load() {
  sound_ini_read(&sound_mode);
  if (sound_mode > 2) sound_mode %= 3;
}

void play_startup_sound() {
  if (sound_mode == mode_tone) {
    play_tone();
  } else if (sound_mode == mode_wave) {
    play_wave("Beep");
  }
}

void sound_mode_cycle() {
  sound_mode += 1;
  if (sound_mode > 2) sound_mode %= 3;
  // A mode that cannot be saved still holds until the program ends; there is
  // nobody to tell who could do anything about it.
  sound_ini_write(sound_mode);
  if (sound_mode == mode_tone) {
    play_tone();
  } else if (sound_mode == mode_wave) {
    play_wave("Beep");
  } else {
    play_wave(greeting_for_hour(current_time()));
  }
}

void play_card_feedback(int32_t state, int64_t tick_time) {
  if (sound_mode == mode_tone) {
    play_tone();
  } else if (sound_mode == mode_wave) {
    play_wave("Beep");
  } else if (state < 0) {
    // A cancelled registration: no one came in or went out, so no one is
    // greeted; the plain acknowledgement says the card was seen.
    play_wave("Beep");
  } else if (state != 0) {
    play_wave(greeting_for_hour(tick_time));
  } else {
    play_wave("otsuka");
  }
}
