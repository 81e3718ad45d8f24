// The standard (not extended) dialog template of a DIALOG resource, with its
// UTF-16 texts turned into Shift-JIS.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace platform {

// A class, menu or text field: none, a number, or a text.
struct template_id {
  bool present = false;
  bool is_number = false;
  WORD number = 0;
  std::string text;
};

struct dialog_control_template {
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  WORD id = 0;
  template_id window_class;  // a number is a built-in class atom (0x80 button ...)
  template_id text;
  std::vector<unsigned char> creation_data;
};

struct dialog_template {
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  template_id menu;
  template_id window_class;
  std::string caption;
  WORD point_size = 0;  // with DS_SETFONT
  std::string font_face;
  std::vector<dialog_control_template> controls;
};

// Parses a standard dialog template. False for an extended template or a
// malformed one.
bool parse_dialog_template(const unsigned char* data, size_t size, dialog_template* out);

// Dialog units to pixels for a font of the given average width and height.
inline int dialog_units_to_x(int units, int average_width) { return units * average_width / 4; }
inline int dialog_units_to_y(int units, int height) { return units * height / 8; }

}  // namespace platform
