// TRANSITIONAL: a stand-in for the core's clock and resource lookup.
#include <strings.h>

#include <cstring>

#include <map>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace {
DWORD virtual_tick = 1000;

std::vector<unsigned char> silent_wave(unsigned ms) {
  const uint32_t data = ms * 441 / 10 * 4;
  std::vector<unsigned char> image(44 + data, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  auto put16 = [&](size_t at, uint16_t v) {
    image[at] = static_cast<unsigned char>(v);
    image[at + 1] = static_cast<unsigned char>(v >> 8);
  };
  std::memcpy(image.data(), "RIFF", 4);
  put32(4, 36 + data);
  std::memcpy(image.data() + 8, "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);
  put16(22, 2);
  put32(24, 44100);
  put32(28, 176400);
  put16(32, 4);
  put16(34, 16);
  std::memcpy(image.data() + 36, "data", 4);
  put32(40, data);
  return image;
}
}  // namespace

void WINAPI Sleep(DWORD ms) { virtual_tick += ms; }
DWORD WINAPI GetTickCount() { return virtual_tick; }

bool resource_data_find(HINSTANCE, LPCSTR type, LPCSTR name, const unsigned char** data,
                        size_t* size) {
  static std::map<std::string, std::vector<unsigned char>> waves = {
      {"BEEP", silent_wave(2010)}, {"OHA", silent_wave(1080)}, {"KONNI", silent_wave(700)},
      {"KONBAN", silent_wave(610)}, {"OTSUKA", silent_wave(1350)}};
  if (IS_INTRESOURCE(name) || strcasecmp(type, "WAVE") != 0) return false;
  for (auto& [key, image] : waves) {
    if (strcasecmp(key.c_str(), name) == 0) {
      *data = image.data();
      *size = image.size();
      return true;
    }
  }
  return false;
}
