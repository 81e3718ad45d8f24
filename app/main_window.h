// The main window: the head-count label, the list of people who are in, the
// sound-mode button and the painted line of the latest card event.
#pragma once
#include "platform/win32.h"

// Handles of the main window and its controls, valid from WM_CREATE on.
extern HWND main_window;
extern HWND counter_label;
extern HWND presence_list;
extern HWND change_sound_button;

// Registers "Default Class Name" and creates the 400 x 300 main window centred
// on the screen (not shown yet). Returns null when either step fails.
HWND main_window_create(HINSTANCE instance);

// The main window's message handler.
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
