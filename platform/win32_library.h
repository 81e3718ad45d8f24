// Run-time library loading and shell folders.
//
// Elsewhere than on Windows a "library" is a shared object loaded with the
// system's dynamic loader, and the common program files folder is a folder
// of this installation (see SHGetSpecialFolderPathA).
#pragma once
#include "platform/win32_types.h"

// The common program files folder: where shared components are installed.
#define CSIDL_PROGRAM_FILES_COMMON 0x002B

// Loads the library at `path` (used as given, no search, no translation) and
// returns its module handle, or nullptr when it can not be loaded. Every
// successful load must be matched by one FreeLibrary.
HMODULE WINAPI LoadLibraryA(LPCSTR path);

// Returns the address of the entry point `name` exported by `module`, or
// nullptr when the module exports no such name.
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);

// Gives back one load of `module`; the library is unloaded when its last
// load is given back. TRUE on success, FALSE for a handle that is not loaded.
BOOL WINAPI FreeLibrary(HMODULE module);

// Writes the path of the shell folder `folder` into `path` (room for MAX_PATH
// bytes, terminator included), with no trailing separator. Only
// CSIDL_PROGRAM_FILES_COMMON is known: it is $CommonProgramFiles when that is
// set, else <prefix>/lib/portelia, <prefix> being the folder above the one
// that holds the running program. With `create` TRUE a missing folder is
// created. FALSE, with `path` left empty, for another folder, a path that
// does not fit, or a folder that is missing and can not be created.
// `owner` is not used.
BOOL WINAPI SHGetSpecialFolderPathA(HWND owner, LPSTR path, int folder, BOOL create);
