// The list of people who are in, and the head count shown above it.
#include <cstdio>
#include <cstring>

#include "app/main_window.h"
#include "attendance/card_event.h"

void presence_list_add(const char* name) {
  SendMessageA(presence_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void presence_list_remove(const char* name) {
  const int count = presence_list_count();
  for (int i = 0; i < count; ++i) {
    // Items are holder names of at most 255 bytes, so 256 bytes hold any.
    char item[256] = {};
    SendMessageA(presence_list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
    if (std::strcmp(item, name) == 0) {
      SendMessageA(presence_list, LB_DELETESTRING, i, 0);
      return;
    }
  }
}

int presence_list_count() {
  return static_cast<int>(SendMessageA(presence_list, LB_GETCOUNT, 0, 0));
}

void counter_label_update() {
  char text[256];
  std::snprintf(text, sizeof text, "出勤者数%d人", presence_list_count());
  SetWindowTextA(counter_label, text);
}

void main_window_invalidate() { InvalidateRect(main_window, nullptr, FALSE); }
