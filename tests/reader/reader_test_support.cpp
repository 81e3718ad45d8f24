#include "tests/reader/reader_test_support.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>

namespace {

std::atomic<long> live{0};

}  // namespace

long live_allocations() {
  return live.load();
}

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  ++live;
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  --live;
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

common_folder::common_folder(const std::string& library) {
  std::string pattern = std::filesystem::temp_directory_path() / "portelia-common-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  path_ = pattern;
  std::filesystem::create_directories(path_ + "/readers");
  if (!library.empty()) std::filesystem::create_symlink(library, library_path());
  setenv("CommonProgramFiles", path_.c_str(), 1);
}

common_folder::~common_folder() {
  unsetenv("CommonProgramFiles");
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool library_loaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}
