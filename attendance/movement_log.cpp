#include "attendance/movement_log.h"

#include <string>

#include "attendance/data_file.h"

namespace {
const char movement_log_name[] = "in_out.txt";
}  // namespace

const char* direction_label(int32_t state) {
  return state == 0 ? "out_退室" : "in__入室";
}

int64_t log_append(const char* stamp, int32_t state, const char* name) {
  std::string line;
  line.reserve(64);
  line.append(stamp).append(" ").append(direction_label(state)).append(" ");
  line.append(name).append("\r\n");
  return file_append(movement_log_name, line.data(), line.size());
}

void log_unappend(int64_t length) { file_cut(movement_log_name, length); }
