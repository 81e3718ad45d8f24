// Test support for the reader layer: a common program files folder of its
// own holding the library under test, a check that a library is loaded, and
// a count of live heap allocations.
#pragma once

#include <string>

// A fresh folder that CommonProgramFiles points at while it lives, with
// readers/libportelia-reader.so linked to `library` (none when empty).
class common_folder {
 public:
  explicit common_folder(const std::string& library);
  common_folder(const common_folder&) = delete;
  common_folder& operator=(const common_folder&) = delete;
  ~common_folder();

  const std::string& path() const { return path_; }
  // Where the reader layer looks for the library.
  std::string library_path() const { return path_ + "/readers/libportelia-reader.so"; }

 private:
  std::string path_;
};

// True when the library at `path` is loaded in this process.
bool library_loaded(const std::string& path);

// Heap allocations made and not yet released in this program.
long live_allocations();
