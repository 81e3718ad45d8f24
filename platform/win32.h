// The one header through which the program asks the system for anything:
// windows, messages, timers, dialogs, painting, resources, sound, library
// loading and shell folders.
//
// On Windows it is the real API. Elsewhere it declares this project's own
// implementation of the subset that the program uses (platform/), with
// Windows' documented names and numeric values so that the compiled resource
// script and the program's code mean the same on both.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#include <shlobj.h>
#else
#include "platform/win32_types.h"
#include "platform/win32_window.h"
#include "platform/win32_library.h"
#include "platform/win32_sound.h"
#endif
