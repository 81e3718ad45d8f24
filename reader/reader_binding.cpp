// Binding and releasing the reader library.
#include <cstdio>
#include <new>

#include "reader/reader.h"

namespace {

// Where the library lies below the common program files folder. On Windows
// it is the vendor's library; elsewhere it is our own stand-in library
// (readerlib/), installed beside the program.
#ifdef _WIN32
constexpr const char* library_path_format = "%s\\Sony Shared\\FeliCaLibrary\\felica.dll";
#else
constexpr const char* library_path_format = "%s/readers/libportelia-reader.so";
#endif

// Writes the library's full path into `path` (MAX_PATH bytes); false when the
// folder is unknown or the path does not fit.
bool library_path(char* path) {
  char folder[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_PROGRAM_FILES_COMMON, FALSE)) return false;
  int length = std::snprintf(path, MAX_PATH, library_path_format, folder);
  return length > 0 && length < MAX_PATH;
}

// A loaded module that is unloaded again unless it is handed on.
class loaded_module {
 public:
  explicit loaded_module(HMODULE module) : module_(module) {}
  loaded_module(const loaded_module&) = delete;
  loaded_module& operator=(const loaded_module&) = delete;
  ~loaded_module() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }
  HMODULE release() {
    HMODULE module = module_;
    module_ = nullptr;
    return module;
  }

 private:
  HMODULE module_;
};

// The entry point `name` as the function type of its field. The detour
// through void (*)() tells the compiler the type change is meant.
template <typename Function>
Function entry_point(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool has_every_entry_point(const reader& bound) {
  return bound.initialize_library != nullptr && bound.dispose_library != nullptr &&
         bound.open_reader_writer_auto != nullptr && bound.close_reader_writer != nullptr &&
         bound.polling_and_get_card_information != nullptr &&
         bound.polling_and_request_system_code != nullptr &&
         bound.polling_and_search_service_code != nullptr &&
         bound.read_block_without_encryption != nullptr &&
         bound.write_block_without_encryption != nullptr;
}

struct record_deleter {
  void operator()(reader* bound) const { delete bound; }
};

}  // namespace

reader* reader_open() {
  char path[MAX_PATH] = {};
  if (!library_path(path)) return nullptr;

  std::unique_ptr<reader, record_deleter> bound(new (std::nothrow) reader{});
  if (!bound) return nullptr;

  loaded_module module(LoadLibraryA(path));
  if (module.get() == nullptr) return nullptr;

  bound->initialize_library = entry_point<initialize_library_fn>(module.get(), "initialize_library");
  bound->dispose_library = entry_point<dispose_library_fn>(module.get(), "dispose_library");
  bound->open_reader_writer_auto =
      entry_point<open_reader_writer_auto_fn>(module.get(), "open_reader_writer_auto");
  bound->close_reader_writer = entry_point<close_reader_writer_fn>(module.get(), "close_reader_writer");
  bound->polling_and_get_card_information = entry_point<polling_and_get_card_information_fn>(
      module.get(), "polling_and_get_card_information");
  bound->polling_and_request_system_code = entry_point<polling_and_request_system_code_fn>(
      module.get(), "polling_and_request_system_code");
  bound->polling_and_search_service_code = entry_point<polling_and_search_service_code_fn>(
      module.get(), "polling_and_search_service_code");
  bound->read_block_without_encryption = entry_point<read_block_without_encryption_fn>(
      module.get(), "read_block_without_encryption");
  bound->write_block_without_encryption = entry_point<write_block_without_encryption_fn>(
      module.get(), "write_block_without_encryption");

  // A library that lacks one of the nine is not the reader library: the
  // card operations call their entry points without looking first.
  if (!has_every_entry_point(*bound)) return nullptr;
  if (bound->initialize_library() == 0) return nullptr;

  bound->module = module.release();
  return bound.release();
}

int reader_connect(reader* bound) {
  return bound->open_reader_writer_auto() != 0 ? 0 : -1;
}

void reader_close(reader* bound) {
  if (bound == nullptr) return;
  bound->dispose_library();
  FreeLibrary(bound->module);
  delete bound;
}
