#include "platform/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace platform {
namespace {

// An iconv conversion descriptor, closed with its owner.
class converter {
 public:
  converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~converter() {
    if (ok()) iconv_close(cd_);
  }
  converter(const converter&) = delete;
  converter& operator=(const converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `size` bytes; an input sequence that cannot be converted is
  // replaced by '?' and skipped by `bad_step` bytes.
  std::string run(const char* data, size_t size, size_t bad_step) {
    std::string out;
    if (!ok()) return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> buffer(size * 4 + 16);
    char* in = const_cast<char*>(data);
    size_t in_left = size;
    while (in_left > 0) {
      char* o = buffer.data();
      size_t o_left = buffer.size();
      size_t r = iconv(cd_, &in, &in_left, &o, &o_left);
      out.append(buffer.data(), buffer.size() - o_left);
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        out.push_back('?');
        size_t step = bad_step < in_left ? bad_step : in_left;
        in += step;
        in_left -= step;
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

bool sjis_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

size_t sjis_prefix_length(std::string_view text, size_t max_bytes) {
  size_t i = 0;
  while (i < text.size()) {
    size_t step = sjis_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    if (i + step > max_bytes) break;
    i += step;
  }
  return i;
}

size_t sjis_without_last_char(std::string_view text) {
  size_t i = 0;
  size_t last = 0;
  while (i < text.size()) {
    last = i;
    i += sjis_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return last;
}

std::string utf16_to_sjis(const char16_t* text, size_t units) {
  converter c("CP932", "UTF-16LE");
  std::vector<char> bytes(units * 2);
  for (size_t i = 0; i < units; ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return c.run(bytes.data(), bytes.size(), 2);
}

std::string sjis_to_utf8(std::string_view text) {
  converter c("UTF-8", "CP932");
  return c.run(text.data(), text.size(), 1);
}

std::string utf8_to_sjis(std::string_view text) {
  converter c("CP932", "UTF-8");
  return c.run(text.data(), text.size(), 1);
}

}  // namespace platform
