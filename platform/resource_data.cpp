#include "platform/resource_data.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>

namespace platform {
namespace {

struct module_record {
  HINSTANCE handle = nullptr;
  const unsigned char* source = nullptr;  // the caller's image, for the same-bytes check
  std::vector<unsigned char> bytes;
  std::vector<resource_entry> entries;
};

// Module instances live for the whole process: handles stay valid for every
// caller that kept one (app_instance).
std::vector<std::unique_ptr<module_record>>& modules() {
  static std::vector<std::unique_ptr<module_record>> all;
  return all;
}

uint16_t read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t read32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Reads a type or name field (0xFFFF + number, or a zero-terminated UTF-16
// name) at `*at`, not past `end`.
bool read_id(const unsigned char* base, size_t* at, size_t end, bool* is_number, WORD* number,
             std::string* name) {
  if (*at + 2 > end) return false;
  if (read16(base + *at) == 0xFFFF) {
    if (*at + 4 > end) return false;
    *is_number = true;
    *number = read16(base + *at + 2);
    *at += 4;
    return true;
  }
  *is_number = false;
  name->clear();
  for (;;) {
    if (*at + 2 > end) return false;
    uint16_t c = read16(base + *at);
    *at += 2;
    if (c == 0) return true;
    // Resource names are ASCII in practice; others cannot match an A name.
    name->push_back(c < 0x80 ? static_cast<char>(std::toupper(c)) : '?');
  }
}

module_record* find_module(HINSTANCE module) {
  for (auto& m : modules()) {
    if (m->handle == module) return m.get();
  }
  return nullptr;
}

// A type or name as the caller gave it.
struct wanted_id {
  bool is_number = false;
  WORD number = 0;
  std::string name;
};

wanted_id to_wanted(LPCSTR id) {
  wanted_id w;
  if (IS_INTRESOURCE(id)) {
    w.is_number = true;
    w.number = static_cast<WORD>(reinterpret_cast<uintptr_t>(id));
    return w;
  }
  if (id[0] == '#') {
    w.is_number = true;
    w.number = static_cast<WORD>(std::strtoul(id + 1, nullptr, 10));
    return w;
  }
  for (const char* p = id; *p; ++p) w.name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*p))));
  return w;
}

bool same(const wanted_id& w, bool is_number, WORD number, const std::string& name) {
  return w.is_number ? is_number && number == w.number : !is_number && name == w.name;
}

}  // namespace

bool parse_resources(const unsigned char* res, size_t size, std::vector<resource_entry>* entries) {
  entries->clear();
  if (!res) return false;
  size_t at = 0;
  while (at < size) {
    if (at + 8 > size) return false;
    uint32_t data_size = read32(res + at);
    uint32_t header_size = read32(res + at + 4);
    if (header_size < 16 || header_size > size - at || data_size > size - at - header_size)
      return false;
    size_t header_end = at + header_size;
    resource_entry e;
    size_t p = at + 8;
    if (!read_id(res, &p, header_end, &e.type_is_number, &e.type_number, &e.type_name) ||
        !read_id(res, &p, header_end, &e.name_is_number, &e.name_number, &e.name_name))
      return false;
    p = (p + 3) & ~size_t{3};
    if (p + 16 > header_end) return false;
    e.language = read16(res + p + 6);
    e.offset = header_end;
    e.size = data_size;
    bool marker = data_size == 0 && e.type_is_number && e.type_number == 0;
    if (!marker) entries->push_back(e);
    at = (header_end + data_size + 3) & ~size_t{3};
  }
  return true;
}

}  // namespace platform

using namespace platform;

HINSTANCE module_from_resources(const unsigned char* res, size_t size) {
  for (auto& m : modules()) {
    if (m->source == res && m->bytes.size() == size) return m->handle;
  }
  auto m = std::make_unique<module_record>();
  if (!parse_resources(res, size, &m->entries)) return nullptr;
  m->source = res;
  m->bytes.assign(res, res + size);
  m->handle = reinterpret_cast<HINSTANCE>(uintptr_t{0x400000} + modules().size() * 0x10000);
  HINSTANCE handle = m->handle;
  modules().push_back(std::move(m));
  return handle;
}

bool resource_data_find(HINSTANCE module, LPCSTR type, LPCSTR name, const unsigned char** data,
                        size_t* size) {
  module_record* m = find_module(module);
  if (!m || !type || !name) return false;
  wanted_id t = to_wanted(type);
  wanted_id n = to_wanted(name);
  for (const auto& e : m->entries) {
    if (!same(t, e.type_is_number, e.type_number, e.type_name)) continue;
    if (!same(n, e.name_is_number, e.name_number, e.name_name)) continue;
    if (data) *data = m->bytes.data() + e.offset;
    if (size) *size = e.size;
    return true;
  }
  return false;
}
