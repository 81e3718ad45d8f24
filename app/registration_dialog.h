// The registration dialog that asks the holder of an unknown card for a name.
#pragma once
#include "platform/win32.h"

// The dialog's message handler; the dialog's init parameter is the 256-byte
// name buffer that a submit fills.
INT_PTR CALLBACK registration_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
