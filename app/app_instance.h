// The program's module instance, kept from start-up for the whole run: the
// window class, the menu, the dialog template and the wave sounds come from it.
#pragma once
#include "platform/win32.h"

extern HINSTANCE app_instance;
