// The version information box of the help menu.
#pragma once
#include "platform/win32.h"

// Shows the modal About box over the owner; returns when it is closed.
void show_about_box(HWND owner);
