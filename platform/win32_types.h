// Basic types, handles and macros of the Win32 subset (non-Windows builds).
// Widths follow Windows: LONG, DWORD and UINT are 32 bits; WPARAM, LPARAM,
// LRESULT and LONG_PTR are as wide as a pointer.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define APIENTRY

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int INT;
typedef unsigned int UINT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque handles: each a pointer to its own incomplete record, so that a
// window can not be passed where a module is expected.
#define PORTELIA_HANDLE(name) \
  struct name##__;            \
  typedef name##__* name
PORTELIA_HANDLE(HWND);
PORTELIA_HANDLE(HINSTANCE);
PORTELIA_HANDLE(HMENU);
PORTELIA_HANDLE(HICON);
PORTELIA_HANDLE(HBRUSH);
PORTELIA_HANDLE(HDC);
#undef PORTELIA_HANDLE
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef LONG_PTR(WINAPI* FARPROC)();

#define MAX_PATH 260

#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR_FOR_MACROS>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR_FOR_MACROS>(l) >> 16) & 0xffff))
#define MAKELONG(a, b) \
  (static_cast<LONG>(static_cast<WORD>(a) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKEWPARAM(l, h) static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h)))
#define RGB(r, g, b)                                                         \
  static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                        (static_cast<DWORD>(static_cast<BYTE>(b)) << 16))
#define GetRValue(c) static_cast<BYTE>(c)
#define GetGValue(c) static_cast<BYTE>((c) >> 8)
#define GetBValue(c) static_cast<BYTE>((c) >> 16)
typedef uintptr_t DWORD_PTR_FOR_MACROS;

typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef LONG HRESULT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *LPPOINT;

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

// 100-nanosecond intervals since 1601-01-01 00:00 UTC, split in two halves.
typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME, *LPFILETIME;
