// The registration dialog (template MYDIALOG) and ask_holder_name.
//
// Several dialogs can be open at once (a tick inside one dialog can open
// another), so each dialog keeps the name buffer of the call that opened it
// in its own window data rather than in a shared variable.
#include "app/registration_dialog.h"

#include "attendance/card_event.h"

namespace {

constexpr int send_button_id = 100;
constexpr int instructions_id = 101;
constexpr int name_field_id = 102;
constexpr int name_buffer_size = 256;

char* name_buffer_of(HWND dialog) {
  return reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace

INT_PTR CALLBACK registration_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      SetWindowTextA(GetDlgItem(dialog, send_button_id), "送信ボタン");
      SetWindowTextA(GetDlgItem(dialog, instructions_id),
                     "名前を入力して、送信ボタンをクリックしてください");
      SetWindowTextA(GetDlgItem(dialog, name_field_id), "ここに入力");
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL:
        case send_button_id:
          GetWindowTextA(GetDlgItem(dialog, name_field_id), name_buffer_of(dialog),
                         name_buffer_size);
          Sleep(1000);
          EndDialog(dialog, 1);
          return TRUE;
        default:
          return TRUE;
      }
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

void ask_holder_name(void* owner, char* name) {
  name[0] = '\0';
  HWND owner_window = static_cast<HWND>(owner);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner_window, GWLP_HINSTANCE));
  DialogBoxParamA(instance, "MYDIALOG", owner_window, registration_dialog_proc,
                  reinterpret_cast<LPARAM>(name));
}
