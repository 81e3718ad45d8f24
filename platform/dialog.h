// Modal dialogs: the dialog window class and the nested message loop shared
// by DialogBoxParamA and MessageBoxA. Internal to platform/.
#pragma once

#include "platform/window_store.h"

namespace platform {

// Makes an empty, hidden dialog window with the client rectangle `client`
// (screen pixels), owned by the top-level window of `owner`, run by `proc`.
HWND create_dialog_window(DWORD style, DWORD ex_style, const std::string& caption,
                          const RECT& client, HWND owner, HINSTANCE instance, DLGPROC proc);
// The screen position of a window's client area origin.
POINT client_origin(HWND hwnd);
// Sends WM_INITDIALOG, then shows the dialog, disables its owner and
// dispatches every message of the thread until EndDialog. Destroys the
// dialog; returns the EndDialog code, or -1 when the dialog was destroyed
// without it.
INT_PTR run_modal_dialog(HWND dialog, LPARAM init_param);

}  // namespace platform
