// Windows, messages, timers, controls, dialogs, menus, painting, resources
// and clocks: the part of the Win32 subset that the program's shell uses.
//
// Everything runs on one thread. Calls with a null or destroyed window, an
// unknown message or a zero-sized buffer fail quietly with the documented
// result (0, FALSE, NULL or LB_ERR); nothing here throws or aborts.
#pragma once
#include "platform/win32_types.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *LPMSG;

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA, WNDCLASSEX;

// What WM_NCCREATE and WM_CREATE carry in lParam.
typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, CREATESTRUCT, *LPCREATESTRUCTA;

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

// Messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETFONT 0x0030
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_USER 0x0400
#define WM_APP 0x8000

#define SC_CLOSE 0xF060

// Virtual keys.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_EX_DLGMODALFRAME 0x00000001L

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008

#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

// Built-in control styles and notifications.
#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_RIGHT 0x00000002L
#define SS_NOTIFY 0x00000100L
#define STN_CLICKED 0
#define STN_DBLCLK 1

#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_TYPEMASK 0x0000000FL
#define BN_CLICKED 0
#define BM_CLICK 0x00F5

#define ES_LEFT 0x0000L
#define ES_CENTER 0x0001L
#define ES_RIGHT 0x0002L
#define ES_MULTILINE 0x0004L
#define ES_AUTOHSCROLL 0x0080L
#define EN_CHANGE 0x0300
#define EM_GETSEL 0x00B0
#define EM_SETSEL 0x00B1

#define LBS_NOTIFY 0x0001L
#define LBS_SORT 0x0002L
#define LB_ADDSTRING 0x0180
#define LB_INSERTSTRING 0x0181
#define LB_DELETESTRING 0x0182
#define LB_RESETCONTENT 0x0184
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LB_GETTEXT 0x0189
#define LB_GETTEXTLEN 0x018A
#define LB_GETCOUNT 0x018B
#define LB_OKAY 0
#define LB_ERR (-1)
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2

// Dialogs.
#define DS_ABSALIGN 0x01L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x0800L
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DC_HASDEFID 0x534B

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNO 0x00000004L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0L

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// Window words. GWL_HINSTANCE and GWL_HWNDPARENT fit in a LONG here: this
// layer hands out handles below 2^31.
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_ID (-12)
#define GWLP_USERDATA (-21)
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16
#define DWL_MSGRESULT 0
#define DWL_DLGPROC 4
#define DWL_USER 8

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

// Images and resource types.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x00000000
#define LR_LOADFROMFILE 0x00000010
#define LR_DEFAULTSIZE 0x00000040
#define LR_SHARED 0x00008000
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

// Menus.
#define MF_STRING 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_CHECKED 0x0008
#define MF_POPUP 0x0010
#define MF_END 0x0080
#define MF_SEPARATOR 0x0800

// Drawing.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define COLOR_WINDOW 5
#define PATCOPY 0x00F00021
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062
#define TRANSPARENT 1
#define OPAQUE 2
#define CLR_INVALID 0xFFFFFFFF
#define DT_TOP 0x0000
#define DT_LEFT 0x0000
#define DT_CENTER 0x0001
#define DT_RIGHT 0x0002
#define DT_VCENTER 0x0004
#define DT_BOTTOM 0x0008
#define DT_WORDBREAK 0x0010
#define DT_SINGLELINE 0x0020
#define DT_EXPANDTABS 0x0040
#define DT_NOCLIP 0x0100
#define DT_CALCRECT 0x0400
#define DT_NOPREFIX 0x0800

#define USER_TIMER_MINIMUM 0x0000000A
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// ---- Window classes and windows ----

// Registers a class; returns its atom, or 0 when the name is taken (the
// comparison ignores case), the record is null or has no procedure or name.
ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc);
// Creates a window: WM_NCCREATE and WM_CREATE reach its procedure before the
// call returns, with the creation record in lParam. Null when the class is
// unknown, a child has no valid parent, or WM_NCCREATE returns FALSE or
// WM_CREATE returns -1. A child's hMenu is its control id. A top-level
// window without a menu handle gets the class's menu from the class module.
HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param);
// Destroys owned windows, then sends WM_DESTROY to the window and then to
// its children (parents first), then WM_NCDESTROY children first. Its
// timers die with it. Safe while the window's procedure is on the stack.
BOOL WINAPI DestroyWindow(HWND hwnd);
BOOL WINAPI IsWindow(HWND hwnd);
// Returns nonzero when the window was visible before the call.
BOOL WINAPI ShowWindow(HWND hwnd, int command);
BOOL WINAPI IsWindowVisible(HWND hwnd);
// Sends WM_PAINT at once when the window has an invalid region.
BOOL WINAPI UpdateWindow(HWND hwnd);
// Returns whether the window was disabled before the call.
BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND hwnd);
// Sends WM_SETTEXT (the default handling stores the text).
BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text);
// Copies at most max_count - 1 bytes and a terminating zero; never splits a
// double-byte character. Returns the bytes copied; 0 for max_count <= 0.
int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int max_count);
int WINAPI GetWindowTextLengthA(HWND hwnd);
LONG WINAPI GetWindowLongA(HWND hwnd, int index);
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value);
LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
HWND WINAPI GetParent(HWND hwnd);
HWND WINAPI GetDlgItem(HWND dialog, int id);
int WINAPI GetDlgCtrlID(HWND hwnd);
HWND WINAPI SetFocus(HWND hwnd);
HWND WINAPI GetFocus();
// The client rectangle, origin 0, 0.
BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect);
// The outer rectangle in screen coordinates.
BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect);
// WM_CLOSE destroys, WM_PAINT validates, WM_ERASEBKGND fills with the class
// brush, WM_SETTEXT / WM_GETTEXT keep the text, WM_SYSCOMMAND SC_CLOSE sends
// WM_CLOSE, WM_NCCREATE gives TRUE; everything else gives 0.
LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam,
                               LPARAM lparam);
int WINAPI GetSystemMetrics(int index);

// ---- Messages ----

// Calls the window's procedure at once and returns its result; 0 for a
// window that does not exist.
LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Makes the next GetMessageA return 0 once the posted messages are gone.
void WINAPI PostQuitMessage(int exit_code);
// Waits for and removes the next message: posted messages first, then the
// quit message, then input, then WM_PAINT for a window with an invalid
// region, then WM_TIMER for a due timer. Returns 0 for WM_QUIT, -1 for a
// filter window that does not exist, else nonzero.
BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last);
// The same without waiting; FALSE when nothing is there.
BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL WINAPI TranslateMessage(const MSG* msg);
// Hands the message to its window's procedure (or the timer procedure).
LRESULT WINAPI DispatchMessageA(const MSG* msg);

// ---- Timers ----

// Starts or restarts a timer; at most one WM_TIMER per timer waits at a
// time, so ticks missed while the thread was busy coalesce into one.
// Returns the id (a new one when hwnd is null), or 0 for a bad window.
UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id);

// ---- Dialogs and message boxes ----

// Runs a modal dialog from a standard dialog template: WM_INITDIALOG, the
// owner disabled while it is open, a loop that dispatches every message of
// the thread. Returns the EndDialog code, or -1 when it cannot be created.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner,
                               DLGPROC proc, LPARAM init_param);
// Ends the modal loop of a dialog with the code; the owner is enabled again.
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
// A modal box with OK, or はい and いいえ for MB_YESNO. Returns IDOK, IDYES
// or IDNO; 0 when the owner is not a window.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ---- Menus ----

// Loads a menu resource; null when it does not exist.
HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name);
HMENU WINAPI GetMenu(HWND hwnd);
// A menu not attached to a window must be destroyed by its owner.
BOOL WINAPI DestroyMenu(HMENU menu);

// ---- Painting ----

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC WINAPI GetDC(HWND hwnd);
int WINAPI ReleaseDC(HWND hwnd, HDC dc);
// Adds a rectangle (null: the whole client area) to the update region. With
// erase FALSE the old pixels stay until something is drawn over them.
BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect);
BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom);
HGDIOBJ WINAPI GetStockObject(int index);
HBRUSH WINAPI CreateSolidBrush(COLORREF colour);
// Returns the object selected before, or null for a bad context or object.
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
// Stock objects are never deleted (TRUE all the same).
BOOL WINAPI DeleteObject(HGDIOBJ object);
BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour);
int WINAPI SetBkMode(HDC dc, int mode);
// Draws text into the rectangle, clipped to it. A line feed starts a new
// line; DT_EXPANDTABS expands tabs to 8 average characters; there is no word
// wrap. Returns the height of the text drawn, 0 on failure.
int WINAPI DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);

// ---- Icons and cursors ----

// IMAGE_ICON from a module's icon group (by name or number), or IMAGE_CURSOR
// IDC_ARROW with a null module. Null when there is no such resource.
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);

// ---- Clocks ----

// Holds the thread for the time given: no message is handled meanwhile.
void WINAPI Sleep(DWORD ms);
// Milliseconds of the monotonic clock (wraps after 49.7 days).
DWORD WINAPI GetTickCount();
uint64_t WINAPI GetTickCount64();
// The wall clock: 100-ns intervals since 1601-01-01 00:00 UTC.
void WINAPI GetSystemTimeAsFileTime(LPFILETIME time);

DWORD WINAPI GetLastError();
void WINAPI SetLastError(DWORD error);
