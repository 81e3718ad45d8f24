// A program linked with platform_main: WinMain must receive the module made
// from the embedded resources and the command line after the program name.
// Its exit status is what WinMain returns: 0 when all is as expected.
#include <cstring>

#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  if (previous || show != SW_SHOWDEFAULT) return 2;
  if (std::strcmp(command_line, "one two") != 0) return 3;
  HMENU menu = LoadMenuA(instance, "MYMENU");
  if (!menu) return 4;
  DestroyMenu(menu);
  if (!LoadImageA(instance, MAKEINTRESOURCEA(300), IMAGE_ICON, 0, 0, LR_SHARED)) return 5;
  return 0;
}
