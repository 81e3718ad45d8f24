// A program's compiled resources (the .res that windres makes from
// resources/portelia.rc), made into a module instance, and the lookup of one
// resource's bytes in it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32_types.h"

// Makes a module instance whose resources are the entries of a compiled .res
// image (the bytes are copied). The same bytes at the same address give the
// same instance again. Null when the image is not a well-formed .res.
HINSTANCE module_from_resources(const unsigned char* res, size_t size);

// Finds a resource of a module. `type` and `name` are each a string, compared
// without regard to case ("WAVE", "beep"; "#300" means the number 300), or a
// MAKEINTRESOURCEA number. On success sets `data` and `size` to the bytes,
// which stay valid for the rest of the process, and returns true.
bool resource_data_find(HINSTANCE module, LPCSTR type, LPCSTR name, const unsigned char** data,
                        size_t* size);

namespace platform {

// One entry of a compiled .res image.
struct resource_entry {
  bool type_is_number = false;
  WORD type_number = 0;
  std::string type_name;  // upper case
  bool name_is_number = false;
  WORD name_number = 0;
  std::string name_name;  // upper case
  WORD language = 0;
  size_t offset = 0;  // of the data in the image
  size_t size = 0;
};

// Parses a .res image into its entries (the empty first marker left out).
// False when the image is cut short or malformed.
bool parse_resources(const unsigned char* res, size_t size, std::vector<resource_entry>* entries);

}  // namespace platform
