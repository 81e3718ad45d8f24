#include "attendance/card_event.h"

#include <cstdio>
#include <cstring>

#include "attendance/card_event_ports.h"
#include "attendance/clock.h"
#include "attendance/presence.h"
#include "attendance/roster.h"

char last_idm[last_idm_size] = {};
int32_t current_index = 0;
char event_text[event_text_size] = {};
unsigned char repaint_pending = 0;

namespace {

const char registration_failed[] =
    "カードを登録できませんでした。\n"
    "データファイル（idm_list.txt と状態ファイル）に書き込めません。\n"
    "ディスクの空き容量とフォルダーへの書き込み権限を確かめてから、"
    "もう一度カードをかざしてください。";

const char movement_failed[] =
    "入退室を記録できませんでした。\n"
    "データファイル（in_out.txt と状態ファイル）に書き込めません。\n"
    "ディスクの空き容量とフォルダーへの書き込み権限を確かめてから、"
    "もう一度カードをかざしてください。";

// Tells the person that the event of `idm_text` was not recorded and forgets
// the card, so that presenting it again tries again. While the message box is
// open, ticks go on; the card is forgotten only if no other card has been
// handled meanwhile.
void report_failure(void* main_window, const char* idm_text, const char* message) {
  report_record_failure(main_window, message);
  if (std::strcmp(last_idm, idm_text) == 0) last_idm[0] = '\0';
}

}  // namespace

int on_card_tick(void* main_window) {
  char text[last_idm_size] = {};
  const int length = read_card_idm(text);
  text[sizeof text - 1] = '\0';
  const int64_t tick_time = current_time();
  if (length > 0 && std::strcmp(text, last_idm) != 0) {
    handle_card_event(main_window, text, tick_time);
  }
  main_window_invalidate();
  return 0;
}

void handle_card_event(void* main_window, const char* idm_text, int64_t tick_time) {
  std::memset(event_text, 0, sizeof event_text);
  std::snprintf(last_idm, sizeof last_idm, "%s", idm_text);
  current_index = roster_find(idm_text);

  const char* failure = nullptr;
  if (current_index == roster.count) {
    // While the dialog is open, inner ticks may register other cards; this
    // card goes after them, at the index roster_register returns.
    char name[256] = {};
    ask_holder_name(main_window, name);
    name[sizeof name - 1] = '\0';
    current_index = roster.count;
    if (std::strlen(name) > 1) {
      const int32_t index = roster_register(idm_text, name, tick_time);
      if (index >= 0) {
        current_index = index;
      } else {
        failure = registration_failed;
      }
    }
  }

  int32_t state = -1;  // no entry: a cancelled registration
  if (current_index < roster.count) {
    state = record_movement(current_index, tick_time);
    if (state > 0) {
      presence_list_add(roster.entries[current_index].name);
    } else if (state == 0) {
      presence_list_remove(roster.entries[current_index].name);
    } else {
      failure = movement_failed;
    }
  }

  if (failure == nullptr) {
    play_card_feedback(state, tick_time);
  } else {
    report_failure(main_window, idm_text, failure);
  }
  counter_label_update();
  repaint_pending = 1;
}
