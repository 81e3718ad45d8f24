#include "attendance/data_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using file_handle = std::unique_ptr<std::FILE, file_closer>;

std::string staged_name(const char* name) { return std::string(name) + ".tmp"; }

// Writes all bytes and closes the file, reporting any failure on the way,
// including the one a full disk gives only when the buffer is flushed.
bool write_and_close(file_handle file, const char* bytes, size_t size) {
  bool written = std::fwrite(bytes, 1, size, file.get()) == size;
  written = std::fflush(file.get()) == 0 && written;
  return std::fclose(file.release()) == 0 && written;
}

int64_t end_offset(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

}  // namespace

int64_t file_append(const char* name, const char* bytes, size_t size) {
  file_handle file(std::fopen(name, "ab"));
  if (!file) return -1;
  const int64_t length = end_offset(file.get());
  if (length < 0) return -1;
  if (!write_and_close(std::move(file), bytes, size)) {
    file_cut(name, length);
    return -1;
  }
  return length;
}

void file_cut(const char* name, int64_t length) {
  std::error_code ignored;
  std::filesystem::resize_file(name, static_cast<std::uintmax_t>(length), ignored);
}

bool file_stage(const char* name, const char* bytes, size_t size) {
  const std::string temporary = staged_name(name);
  file_handle file(std::fopen(temporary.c_str(), "wb"));
  if (!file) return false;
  if (!write_and_close(std::move(file), bytes, size)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool file_commit(const char* name) {
  // std::filesystem::rename replaces an existing file, on Windows as well.
  std::error_code error;
  std::filesystem::rename(staged_name(name), name, error);
  if (error) {
    file_discard(name);
    return false;
  }
  return true;
}

void file_discard(const char* name) { std::remove(staged_name(name).c_str()); }

bool file_replace(const char* name, const char* bytes, size_t size) {
  return file_stage(name, bytes, size) && file_commit(name);
}
