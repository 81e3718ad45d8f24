#include "attendance/roster.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "attendance/data_file.h"
#include "attendance/state_file.h"
#include "attendance/text_scan.h"

roster_list roster = {nullptr, 0, 0};

namespace {

const char roster_file_name[] = "idm_list.txt";

struct file_closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Makes room for one more entry, or ends the process with status 1: the clock
// cannot go on without its roster.
void reserve_one_more() {
  if (roster.count < roster.capacity) return;
  if (roster.capacity == INT32_MAX) std::exit(1);
  const int64_t grown = roster.capacity < 16 ? 16 : int64_t{roster.capacity} * 2;
  const int32_t capacity = grown > INT32_MAX ? INT32_MAX : static_cast<int32_t>(grown);
  void* entries = std::realloc(roster.entries, sizeof(roster_entry) * static_cast<size_t>(capacity));
  if (entries == nullptr) std::exit(1);
  roster.entries = static_cast<roster_entry*>(entries);
  roster.capacity = capacity;
}

void copy_text(char* field, const char* text, size_t size) {
  std::memcpy(field, text, size);
  field[size] = '\0';
}

// Splits the lines of idm_list.txt into fields as they stream past, holding
// at most 255 bytes of each of the three fields, so a line of any length and
// any content is one line and overflows nothing.
class roster_line_reader {
 public:
  void feed(const char* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
      const unsigned char c = static_cast<unsigned char>(bytes[i]);
      if (c == '\n') {
        end_line();
      } else if (is_blank_byte(c)) {
        in_field_ = false;
      } else {
        if (!in_field_) {
          in_field_ = true;
          ++fields_;
        }
        if (fields_ <= 3) {
          field& f = fields_text_[fields_ - 1];
          if (f.size < roster_text_size - 1) {
            f.text[f.size] = static_cast<char>(c);
          }
          ++f.size;
        }
      }
    }
  }

  // A last line without a line end counts as a line.
  void finish() {
    if (fields_ > 0) end_line();
  }

 private:
  struct field {
    char text[roster_text_size];
    size_t size;
  };

  void end_line() {
    add_entry_if_whole();
    fields_ = 0;
    in_field_ = false;
    for (field& f : fields_text_) f.size = 0;
  }

  void add_entry_if_whole() {
    if (fields_ < 3) return;
    for (const field& f : fields_text_) {
      if (f.size > roster_text_size - 1) return;
    }
    int64_t registered_at = 0;
    const field& time = fields_text_[1];
    if (!parse_decimal(time.text, time.text + time.size, INT64_MIN, INT64_MAX,
                       &registered_at)) {
      return;
    }
    reserve_one_more();
    roster_entry& entry = roster.entries[roster.count];
    copy_text(entry.idm_text, fields_text_[0].text, fields_text_[0].size);
    copy_text(entry.name, fields_text_[2].text, fields_text_[2].size);
    entry.state = 0;
    entry.registered_at = registered_at;
    ++roster.count;
  }

  field fields_text_[3] = {};
  int fields_ = 0;
  bool in_field_ = false;
};

}  // namespace

void roster_load() {
  roster.count = 0;
  std::unique_ptr<std::FILE, file_closer> file(std::fopen(roster_file_name, "rb"));
  if (!file) return;
  auto reader = std::make_unique<roster_line_reader>();
  char chunk[65536];
  size_t size;
  while ((size = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    reader->feed(chunk, size);
  }
  reader->finish();
}

int32_t roster_find(const char* idm_text) {
  for (int32_t i = 0; i < roster.count; ++i) {
    if (std::strcmp(roster.entries[i].idm_text, idm_text) == 0) return i;
  }
  return roster.count;
}

int32_t roster_register(const char* idm_text, const char* name, int64_t time) {
  // The state file (0) is staged first and put in place after the roster line
  // is written; when either fails, neither file keeps a change.
  if (!state_stage(idm_text, 0)) return -1;
  std::string line;
  line.append(idm_text).append(" ").append(std::to_string(time)).append(" ");
  line.append(name).append("\r\n");
  const int64_t roster_length = file_append(roster_file_name, line.data(), line.size());
  if (roster_length < 0) {
    state_discard(idm_text);
    return -1;
  }
  if (!state_commit(idm_text)) {
    file_cut(roster_file_name, roster_length);
    return -1;
  }

  reserve_one_more();
  roster_entry& entry = roster.entries[roster.count];
  std::snprintf(entry.idm_text, sizeof entry.idm_text, "%s", idm_text);
  std::snprintf(entry.name, sizeof entry.name, "%s", name);
  entry.state = 0;
  entry.registered_at = time;
  return roster.count++;
}
