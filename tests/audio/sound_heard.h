// What a person at the clock heard, read back from the sound record, one
// line a sound: "tone 262 Hz 500 ms", "wave Beep", "default oha", "stop".
#pragma once
#include <string>
#include <vector>

#include "platform/sound_record.h"

inline std::string sound_heard(const sound_call& call) {
  switch (call.kind) {
    case sound_kind::tone:
      return "tone " + std::to_string(call.frequency) + " Hz " + std::to_string(call.duration) +
             " ms";
    case sound_kind::wave:
      return "wave " + call.name;
    case sound_kind::default_sound:
      return "default " + call.name;
    case sound_kind::silent:
      return "silent " + call.name;
    case sound_kind::stop:
      return "stop";
  }
  return "?";
}

inline std::vector<std::string> sounds_heard() {
  std::vector<std::string> heard;
  for (const sound_call& call : sound_record()) heard.push_back(sound_heard(call));
  return heard;
}
