// MessageBoxA: a modal dialog built in code, with Japanese button texts.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace platform {
namespace {

struct box_button {
  int id;
  const char* text;
};

std::vector<box_button> buttons_for(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "キャンセル"}};
    case 3: return {{IDYES, "はい"}, {IDNO, "いいえ"}, {IDCANCEL, "キャンセル"}};
    case MB_YESNO: return {{IDYES, "はい"}, {IDNO, "いいえ"}};
    default: return {{IDOK, "OK"}};
  }
}

// The system's icon resources, named as a dialog template names an icon.
const char* icon_name_for(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return "#32513";
    case MB_ICONQUESTION: return "#32514";
    case MB_ICONEXCLAMATION: return "#32515";
    case MB_ICONASTERISK: return "#32516";
  }
  return nullptr;
}

constexpr int icon_control_id = 20;
constexpr int text_control_id = 0xFFFF;
constexpr LONG static_icon_style = 0x00000003L;  // SS_ICON

INT_PTR CALLBACK message_box_proc(HWND box, UINT message, WPARAM wparam, LPARAM) {
  UINT type = static_cast<UINT>(GetWindowLongPtrA(box, DWLP_USER));
  std::vector<box_button> buttons = buttons_for(type);
  auto has = [&](int id) {
    return std::any_of(buttons.begin(), buttons.end(), [id](const box_button& b) { return b.id == id; });
  };
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wparam);
      if (has(id)) {
        EndDialog(box, id);
      } else if (id == IDCANCEL && buttons.size() == 1) {
        // Escape in a box with only OK answers OK; with はい / いいえ it does nothing.
        EndDialog(box, IDOK);
      }
      return TRUE;
    }
    case WM_CLOSE:
      // The close box acts as Cancel where there is one, as OK in a box
      // with only OK, and is disabled in a box with はい / いいえ.
      if (has(IDCANCEL))
        EndDialog(box, IDCANCEL);
      else if (buttons.size() == 1)
        EndDialog(box, IDOK);
      return TRUE;
  }
  return FALSE;
}

int count_lines(const std::string& text, int* widest) {
  view& v = current_view();
  int lines = 0;
  *widest = 0;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    *widest = std::max(*widest, v.text_width(line));
    ++lines;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace
}  // namespace platform

using namespace platform;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner && !IsWindow(owner)) return 0;
  std::string body = text ? text : "";
  std::string title = caption ? caption : "エラー";
  std::vector<box_button> buttons = buttons_for(type);
  const char* icon = icon_name_for(type);

  view& v = current_view();
  font_metrics font = v.system_font();
  const int margin = 12;
  const int icon_size = icon ? 32 : 0;
  const int button_width = 75;
  const int button_height = 23;
  int text_width = 0;
  int text_height = count_lines(body, &text_width) * font.height;
  int buttons_width = static_cast<int>(buttons.size()) * (button_width + margin) - margin;
  int content_width = icon_size + (icon ? margin : 0) + text_width;
  int width = std::max(content_width, buttons_width) + 2 * margin;
  int height = margin + std::max(text_height, icon_size) + margin + button_height + margin;

  int x = (v.screen_width() - width) / 2;
  int y = (v.screen_height() - height) / 2;
  if (owner) {
    RECT o;
    GetWindowRect(top_level_of(owner), &o);
    x = o.left + ((o.right - o.left) - width) / 2;
    y = o.top + ((o.bottom - o.top) - height) / 2;
  }
  HWND box = create_dialog_window(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                  WS_EX_DLGMODALFRAME, title, RECT{x, y, x + width, y + height},
                                  owner, nullptr, message_box_proc);
  if (!box) return 0;
  SetWindowLongPtrA(box, DWLP_USER, static_cast<LONG_PTR>(type));

  int text_x = margin;
  if (icon) {
    CreateWindowExA(0, "STATIC", icon, WS_CHILD | WS_VISIBLE | static_icon_style, margin, margin,
                    icon_size, icon_size, box,
                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(icon_control_id)), nullptr, nullptr);
    text_x += icon_size + margin;
  }
  CreateWindowExA(0, "STATIC", body.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, text_x, margin,
                  text_width, text_height, box,
                  reinterpret_cast<HMENU>(static_cast<uintptr_t>(text_control_id)), nullptr, nullptr);
  int button_x = (width - buttons_width) / 2;
  int button_y = height - margin - button_height;
  for (size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateWindowExA(0, "BUTTON", buttons[i].text, style,
                    button_x + static_cast<int>(i) * (button_width + margin), button_y, button_width,
                    button_height, box,
                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(buttons[i].id)), nullptr, nullptr);
  }
  INT_PTR result = run_modal_dialog(box, 0);
  return result > 0 ? static_cast<int>(result) : 0;
}
