#include "audio/sound_ini.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <system_error>

namespace {

constexpr const char* file_name = "sound.ini";
constexpr const char* temporary_name = "sound.ini.tmp";

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using file_handle = std::unique_ptr<std::FILE, file_closer>;

bool is_space(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

// Writes the temporary file. A file that was created but not written whole
// is removed again; a name that could not be created at all (something else
// stands there) is left alone.
bool write_temporary(const char* bytes, size_t size) {
  std::FILE* file = std::fopen(temporary_name, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  std::remove(temporary_name);
  return false;
}

}  // namespace

bool sound_ini_read(int32_t* mode) {
  file_handle file(std::fopen(file_name, "rb"));
  if (!file) return false;
  int c = std::getc(file.get());
  while (is_space(c)) c = std::getc(file.get());
  const bool negative = c == '-';
  if (c == '-' || c == '+') c = std::getc(file.get());
  if (c < '0' || c > '9') return false;
  // Magnitude up to one past the largest int32_t, which only the negative
  // side can use.
  constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; c >= '0' && c <= '9'; c = std::getc(file.get())) {
    value = value * 10 + (c - '0');
    if (value > limit) return false;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return false;
  *mode = static_cast<int32_t>(value);
  return true;
}

bool sound_ini_write(int32_t mode) {
  char line[16];
  const int size = std::snprintf(line, sizeof line, "%d\r\n", static_cast<int>(mode));
  if (!write_temporary(line, static_cast<size_t>(size))) return false;
  std::error_code failed;
  std::filesystem::rename(temporary_name, file_name, failed);
  if (failed) {
    std::remove(temporary_name);
    return false;
  }
  return true;
}
