#include "attendance/presence.h"

#include "attendance/event_line.h"
#include "attendance/movement_log.h"
#include "attendance/roster.h"
#include "attendance/state_file.h"
#include "attendance/timestamp.h"

int32_t flipped_state(int32_t old_state) { return old_state % 2 == 0 ? 1 : 0; }

int32_t record_movement(int32_t index, int64_t time) {
  const char* idm_text = roster.entries[index].idm_text;
  const int32_t new_state = flipped_state(state_read(idm_text));
  char stamp[timestamp_size];
  format_timestamp(time, stamp);

  // The new state waits beside the state file until the log line is written,
  // so a failure on either side leaves both files as they were.
  if (!state_stage(idm_text, new_state)) return -1;
  const int64_t log_length = log_append(stamp, new_state, roster.entries[index].name);
  if (log_length < 0) {
    state_discard(idm_text);
    return -1;
  }
  if (!state_commit(idm_text)) {
    log_unappend(log_length);
    return -1;
  }
  roster.entries[index].state = new_state;
  event_line(roster.entries[index].name, stamp, new_state);
  return new_state;
}

void presence_list_fill(void (*add)(const char* name)) {
  for (int32_t i = 0; i < roster.count; ++i) {
    if (state_read(roster.entries[i].idm_text) == 1) add(roster.entries[i].name);
  }
}
