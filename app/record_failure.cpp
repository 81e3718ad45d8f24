// Tells the person at the clock that a movement or a registration could not
// be recorded.
#include "attendance/card_event.h"
#include "platform/win32.h"

void report_record_failure(void* main_window, const char* message) {
  MessageBoxA(static_cast<HWND>(main_window), message, "記録エラー", MB_OK | MB_ICONWARNING);
}
