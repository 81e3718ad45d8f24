// Beep and PlaySoundA: the program's sounds go to the sound output and into
// the sound record; the time they take passes through Sleep, so a tone holds
// the thread for its length (virtual time under the headless view).
#include <string>

#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "platform/sound_record.h"
#include "platform/win32.h"

namespace {

// What plays when a sound is not found: a short, plain ding.
constexpr DWORD default_frequency = 880;
constexpr DWORD default_duration = 250;

std::string name_as_passed(LPCSTR sound) {
  if (IS_INTRESOURCE(sound)) {
    return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(sound));
  }
  return sound;
}

bool find_sound(LPCSTR sound, HMODULE module, DWORD flags, sound_pcm* pcm) {
  if ((flags & SND_RESOURCE) == SND_RESOURCE) {
    const unsigned char* image = nullptr;
    size_t size = 0;
    return resource_data_find(module, "WAVE", sound, &image, &size) &&
           sound_wave_read(image, size, pcm);
  }
  if ((flags & SND_MEMORY) != 0) {
    const auto* image = reinterpret_cast<const unsigned char*>(sound);
    return sound_wave_read(image, sound_wave_image_size(image), pcm);
  }
  // Files and system aliases are not among the program's sounds.
  return false;
}

}  // namespace

BOOL WINAPI Beep(DWORD frequency, DWORD duration) {
  if (frequency < 37 || frequency > 32767) return FALSE;
  sound_record_add({sound_kind::tone, "", frequency, duration, GetTickCount()});
  sound_output_play(sound_tone(frequency, duration));
  Sleep(duration);
  return TRUE;
}

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
  const DWORD tick = GetTickCount();
  if (sound == nullptr) {
    sound_record_add({sound_kind::stop, "", 0, 0, tick});
    sound_output_stop();
    return TRUE;
  }
  if ((flags & SND_NOSTOP) != 0 && sound_output_busy()) return FALSE;

  sound_pcm pcm;
  const bool found = find_sound(sound, module, flags, &pcm);
  const std::string name = (flags & SND_MEMORY) != 0 && (flags & SND_RESOURCE) != SND_RESOURCE
                               ? std::string("(memory)")
                               : name_as_passed(sound);
  if (found) {
    sound_record_add({sound_kind::wave, name, 0, sound_pcm_duration(pcm), tick});
  } else if ((flags & SND_NODEFAULT) == 0) {
    pcm = sound_tone(default_frequency, default_duration);
    sound_record_add({sound_kind::default_sound, name, default_frequency, default_duration, tick});
  } else {
    sound_record_add({sound_kind::silent, name, 0, 0, tick});
    return FALSE;
  }
  const DWORD length = sound_pcm_duration(pcm);
  sound_output_play(std::move(pcm));
  if ((flags & SND_ASYNC) == 0) Sleep(length);
  return found ? TRUE : FALSE;
}
