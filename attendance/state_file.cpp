#include "attendance/state_file.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "attendance/data_file.h"
#include "attendance/text_scan.h"

namespace {

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads "state", white space, then a decimal integer from the front of
// `text`. Returns 0 when the text is not of that form.
int32_t parse_state(const char* text, size_t size) {
  static const char keyword[] = "state";
  const size_t keyword_size = sizeof keyword - 1;
  if (size < keyword_size || std::memcmp(text, keyword, keyword_size) != 0) return 0;
  const char* p = text + keyword_size;
  const char* end = text + size;
  while (p != end && is_blank_byte(static_cast<unsigned char>(*p))) ++p;
  const char* number = p;
  if (p != end && (*p == '+' || *p == '-')) ++p;
  while (p != end && *p >= '0' && *p <= '9') ++p;
  int64_t value = 0;
  if (!parse_decimal(number, p, INT32_MIN, INT32_MAX, &value)) return 0;
  return static_cast<int32_t>(value);
}

int format_state_line(int32_t state, char* line) {
  return std::snprintf(line, state_line_size, "state %ld\r\n", static_cast<long>(state));
}

}  // namespace

bool state_file_name(const char* idm_text, char* name) {
  const int length = std::snprintf(name, state_file_name_size, "%s_inf.txt", idm_text);
  return length >= 0 && static_cast<size_t>(length) < state_file_name_size;
}

int32_t state_read(const char* idm_text) {
  char name[state_file_name_size];
  if (!state_file_name(idm_text, name)) return 0;
  std::unique_ptr<std::FILE, file_closer> file(std::fopen(name, "rb"));
  if (!file) return 0;
  // "state", the blanks a writer may have put after it and an 11-byte number
  // fit easily; a file whose blanks run past this is not one the clock wrote.
  char text[256];
  const size_t size = std::fread(text, 1, sizeof text, file.get());
  return parse_state(text, size);
}

bool state_stage(const char* idm_text, int32_t state) {
  char name[state_file_name_size];
  if (!state_file_name(idm_text, name)) return false;
  char line[state_line_size];
  const int size = format_state_line(state, line);
  return file_stage(name, line, static_cast<size_t>(size));
}

bool state_commit(const char* idm_text) {
  char name[state_file_name_size];
  return state_file_name(idm_text, name) && file_commit(name);
}

void state_discard(const char* idm_text) {
  char name[state_file_name_size];
  if (state_file_name(idm_text, name)) file_discard(name);
}

bool state_write(const char* idm_text, int32_t state) {
  return state_stage(idm_text, state) && state_commit(idm_text);
}
