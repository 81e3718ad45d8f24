// The emulated reader's state file.
#include "readerlib/state_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::string from_environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Closes a descriptor when it goes out of scope.
class descriptor {
 public:
  explicit descriptor(int fd) : fd_(fd) {}
  descriptor(const descriptor&) = delete;
  descriptor& operator=(const descriptor&) = delete;
  ~descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now; false when the close reported an error (data not written).
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool write_all(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

void set_error(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
}

}  // namespace

std::string emulated_reader_path() {
  std::string configured = from_environment("PORTELIA_EMULATED_READER");
  if (!configured.empty()) return configured;
  std::string runtime = from_environment("XDG_RUNTIME_DIR");
  if (!runtime.empty()) return runtime + "/portelia-reader.state";
  std::string temporary = from_environment("TMPDIR");
  if (temporary.empty()) temporary = "/tmp";
  return temporary + "/portelia-reader-" + std::to_string(::getuid()) + ".state";
}

bool emulated_reader_attached(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0;
}

std::optional<std::string> read_emulated_reader_text(const std::string& path) {
  descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::string text;
  char chunk[4096];
  for (;;) {
    ssize_t got = ::read(file.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    text.append(chunk, static_cast<size_t>(got));
  }
  return text;
}

std::optional<emulated_reader> load_emulated_reader(const std::string& path, std::string* error) {
  std::optional<std::string> text = read_emulated_reader_text(path);
  if (!text) {
    set_error(error, path);
    return std::nullopt;
  }
  std::string why;
  std::optional<emulated_reader> state = parse_emulated_reader(*text, &why);
  if (!state && error) *error = path + ": " + why;
  return state;
}

bool save_emulated_reader(const std::string& path, const emulated_reader& state, std::string* error) {
  // A temporary file in the same folder, renamed over the old one.
  std::string temporary = path + ".XXXXXX";
  descriptor file(::mkstemp(temporary.data()));
  if (file.get() < 0) {
    set_error(error, temporary);
    return false;
  }
  bool written = write_all(file.get(), format_emulated_reader(state)) && ::fsync(file.get()) == 0;
  written = file.close() && written;
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    set_error(error, path);
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool remove_emulated_reader(const std::string& path, std::string* error) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  set_error(error, path);
  return false;
}
