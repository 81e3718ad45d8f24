#include "app/about_box.h"

void show_about_box(HWND owner) {
  MessageBoxA(owner,
              "PORTELIA.exe version1.0A\n"
              "felicaカードで入退室・勤務時間管理\n"
              "作者: portelia 開発者一同  portelia project\n"
              "インターネット, 日本",
              "バージョン情報", MB_OK);
}
