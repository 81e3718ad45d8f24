// Modal dialogs and message boxes: keys, the close box, ticks while they are
// open, and a second dialog opened from a tick inside the first.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

using recording::entry;
using recording::log;

// A registration-style dialog: the init parameter points to the string that
// receives the edit field's text on a submit (ids 1, 2 and 100); the end code
// is the command id, or 99 for the close box.
INT_PTR CALLBACK name_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!recording::noise(message)) log().push_back({"dialog", message, wparam});
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      SetWindowTextA(GetDlgItem(dialog, 100), "送信ボタン");
      SetWindowTextA(GetDlgItem(dialog, 102), "ここに入力");
      return TRUE;
    case WM_COMMAND: {
      int id = LOWORD(wparam);
      if (id == IDOK || id == IDCANCEL || id == 100) {
        auto* name = reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
        char buffer[256];
        GetWindowTextA(GetDlgItem(dialog, 102), buffer, sizeof buffer);
        if (name) *name = buffer;
        Sleep(1000);
        EndDialog(dialog, id);
      }
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(dialog, 99);
      return TRUE;
  }
  return FALSE;
}

class dialog_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    module = recording::program_module();
    main = recording::create_main(module);
    ASSERT_NE(main, nullptr);
    headless::run_until_idle();
    log().clear();
  }
  INT_PTR ask(std::string* name) {
    return DialogBoxParamA(module, "MYDIALOG", main, name_dialog, reinterpret_cast<LPARAM>(name));
  }
  HINSTANCE module = nullptr;
  HWND main = nullptr;
};

struct key_case {
  const char* name;
  std::function<void(HWND)> act;
  INT_PTR code;
  std::string text;
  std::vector<entry> messages;  // after WM_INITDIALOG and its EN_CHANGE
};

void PrintTo(const key_case& c, std::ostream* out) { *out << c.name; }

class dialog_keys : public dialog_test, public ::testing::WithParamInterface<key_case> {};

TEST_P(dialog_keys, end_the_dialog_with_their_code) {
  const key_case& c = GetParam();
  headless::on_modal_loop([&](HWND dialog) {
    EXPECT_FALSE(headless::is_enabled(main));
    c.act(dialog);
  });
  std::string name = "untouched";
  INT_PTR code = ask(&name);
  EXPECT_EQ(code, c.code);
  EXPECT_EQ(name, c.text);
  EXPECT_TRUE(headless::is_enabled(main));
  EXPECT_EQ(headless::top_dialog(), nullptr);
  std::vector<entry> expected = {
      {"dialog", WM_INITDIALOG, 0},  // wParam checked apart
      {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
  };
  expected.insert(expected.end(), c.messages.begin(), c.messages.end());
  expected.push_back({"dialog", WM_DESTROY, 0});
  expected.push_back({"dialog", WM_NCDESTROY, 0});
  std::vector<entry> got = log();
  ASSERT_FALSE(got.empty());
  got[0].wparam = 0;
  EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    cases, dialog_keys,
    ::testing::Values(
        key_case{"enter_gives_the_default_button",
                 [](HWND) { headless::press_enter(); },
                 100,
                 "ここに入力",
                 {{"main", WM_ENABLE, FALSE},
                  {"dialog", WM_COMMAND, MAKEWPARAM(100, BN_CLICKED)},
                  {"main", WM_ENABLE, TRUE}}},
        key_case{"escape_gives_idcancel",
                 [](HWND d) {
                   headless::type_text(GetDlgItem(d, 102), "x");
                   headless::press_escape();
                 },
                 IDCANCEL,
                 "ここに入力x",
                 {{"main", WM_ENABLE, FALSE},
                  {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
                  {"dialog", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                  {"main", WM_ENABLE, TRUE}}},
        key_case{"close_box_gives_wm_close",
                 [](HWND d) { headless::close_box(d); },
                 99,
                 "untouched",
                 {{"main", WM_ENABLE, FALSE},
                  {"dialog", WM_SYSCOMMAND, SC_CLOSE},
                  {"dialog", WM_CLOSE, 0},
                  {"main", WM_ENABLE, TRUE}}},
        key_case{"clicking_the_button",
                 [](HWND d) {
                   headless::replace_text(GetDlgItem(d, 102), "山田");
                   headless::click(GetDlgItem(d, 100));
                 },
                 100,
                 "山田",
                 {{"main", WM_ENABLE, FALSE},
                  {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
                  {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
                  {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
                  {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
                  {"dialog", WM_COMMAND, MAKEWPARAM(100, BN_CLICKED)},
                  {"main", WM_ENABLE, TRUE}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(dialog_test, ticks_run_while_a_dialog_is_open) {
  std::string name;
  INT_PTR code = 0;
  bool asked = false;
  recording::window_handlers()[WM_TIMER] = [&](HWND, UINT, WPARAM, LPARAM) {
    if (!asked) {
      asked = true;
      code = ask(&name);
    }
    return LRESULT{0};
  };
  headless::on_modal_loop([&](HWND) {
    headless::run_for_seconds(7);
    headless::press_enter();
  });
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(3);
  std::vector<entry> expected = {
      {"main", WM_TIMER, 100},   {"dialog", WM_INITDIALOG, 0},
      {"dialog", WM_COMMAND, MAKEWPARAM(102, EN_CHANGE)},
      {"main", WM_ENABLE, FALSE}, {"main", WM_TIMER, 100},
      {"main", WM_TIMER, 100},   {"dialog", WM_COMMAND, MAKEWPARAM(100, BN_CLICKED)},
      {"main", WM_ENABLE, TRUE}, {"dialog", WM_DESTROY, 0},
      {"dialog", WM_NCDESTROY, 0},
  };
  std::vector<entry> got = log();
  for (auto& e : got) {
    if (e.message == WM_INITDIALOG) e.wparam = 0;
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(code, 100);
  EXPECT_EQ(name, "ここに入力");
  // 3 s to the first tick, 7 s in the dialog, 1 s wait after the submit.
  EXPECT_EQ(headless::now_ms(), 11000);
}

TEST_F(dialog_test, ticks_run_while_a_message_box_is_open) {
  int answer = 0;
  bool asked = false;
  recording::window_handlers()[WM_TIMER] = [&](HWND hwnd, UINT, WPARAM, LPARAM) {
    if (!asked) {
      asked = true;
      answer = MessageBoxA(hwnd, "終了してもよろしいですか", "確認", MB_YESNO | MB_ICONQUESTION);
    }
    return LRESULT{0};
  };
  HWND box = nullptr;
  headless::on_modal_loop([&](HWND b) {
    box = b;
    headless::run_for_seconds(6);
    EXPECT_FALSE(headless::press_button("OK"));
    headless::press_button("はい");
  });
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(3);
  std::vector<entry> expected = {
      {"main", WM_TIMER, 100}, {"main", WM_ENABLE, FALSE}, {"main", WM_TIMER, 100},
      {"main", WM_TIMER, 100}, {"main", WM_ENABLE, TRUE},
  };
  EXPECT_EQ(log(), expected);
  EXPECT_EQ(answer, IDYES);
  EXPECT_FALSE(IsWindow(box));
}

struct box_case {
  const char* name;
  UINT type;
  std::function<void(HWND)> act;
  int result;
};

void PrintTo(const box_case& c, std::ostream* out) { *out << c.name; }

class message_box_answers : public dialog_test, public ::testing::WithParamInterface<box_case> {};

TEST_P(message_box_answers, return_the_button_pressed) {
  const box_case& c = GetParam();
  std::vector<std::string> buttons;
  headless::on_modal_loop([&](HWND box) {
    EXPECT_EQ(headless::text_of(box), "確認");
    for (HWND child : {GetDlgItem(box, IDOK), GetDlgItem(box, IDYES), GetDlgItem(box, IDNO)}) {
      if (child) buttons.push_back(headless::text_of(child));
    }
    c.act(box);
    // Whatever did not end the box, "いいえ" or "OK" does.
    if (!headless::press_button("いいえ")) headless::press_button("OK");
  });
  EXPECT_EQ(MessageBoxA(main, "本文", "確認", c.type), c.result);
  if ((c.type & MB_TYPEMASK) == MB_YESNO)
    EXPECT_EQ(buttons, (std::vector<std::string>{"はい", "いいえ"}));
  else
    EXPECT_EQ(buttons, (std::vector<std::string>{"OK"}));
}

INSTANTIATE_TEST_SUITE_P(
    cases, message_box_answers,
    ::testing::Values(
        box_case{"yes", MB_YESNO | MB_ICONQUESTION, [](HWND) { headless::press_button("はい"); }, IDYES},
        box_case{"enter_is_yes", MB_YESNO | MB_ICONQUESTION, [](HWND) { headless::press_enter(); }, IDYES},
        box_case{"no", MB_YESNO | MB_ICONQUESTION, [](HWND) {}, IDNO},
        box_case{"escape_does_nothing_in_yes_no", MB_YESNO, [](HWND) { headless::press_escape(); }, IDNO},
        box_case{"close_box_does_nothing_in_yes_no", MB_YESNO,
                 [](HWND b) { headless::close_box(b); }, IDNO},
        box_case{"ok", MB_OK, [](HWND) { headless::press_enter(); }, IDOK},
        box_case{"escape_is_ok", MB_OK, [](HWND) { headless::press_escape(); }, IDOK},
        box_case{"close_box_is_ok", MB_OK, [](HWND b) { headless::close_box(b); }, IDOK}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(dialog_test, a_second_dialog_from_a_tick_inside_the_first_returns_to_its_own_caller) {
  // Tick 1 opens dialog A; while A is open, tick 2 opens dialog B over it.
  struct asked {
    int tick;
    std::string name;
    INT_PTR code;
  };
  std::vector<asked> results;
  int ticks = 0;
  recording::window_handlers()[WM_TIMER] = [&](HWND, UINT, WPARAM, LPARAM) {
    int tick = ++ticks;
    if (tick <= 2) {
      std::string name;
      INT_PTR code = ask(&name);
      results.push_back({tick, name, code});
    }
    return LRESULT{0};
  };
  int opened = 0;
  headless::on_modal_loop([&](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 102);
    if (++opened == 1) {
      headless::run_for_seconds(3);  // tick 2 opens dialog B and it is answered inside
      EXPECT_EQ(headless::top_dialog(), dialog);
      EXPECT_FALSE(headless::is_enabled(main));  // B ended; A still holds the owner
      headless::replace_text(edit, "first");
      headless::press_enter();
    } else {
      headless::replace_text(edit, "second");
      headless::press_escape();
    }
  });
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(3);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].tick, 2);
  EXPECT_EQ(results[0].name, "second");
  EXPECT_EQ(results[0].code, IDCANCEL);
  EXPECT_EQ(results[1].tick, 1);
  EXPECT_EQ(results[1].name, "first");
  EXPECT_EQ(results[1].code, 100);
  EXPECT_TRUE(headless::is_enabled(main));
}

TEST_F(dialog_test, input_to_the_disabled_owner_is_lost_while_a_dialog_is_open) {
  HWND button = CreateWindowExA(0, "BUTTON", "ChangeSound", WS_CHILD | WS_VISIBLE, 20, 170, 120, 40,
                                main, nullptr, module, nullptr);
  headless::on_modal_loop([&](HWND) {
    headless::click(button);
    headless::choose_menu_item(main, 209);
    headless::press_enter();
  });
  std::string name;
  ask(&name);
  for (const entry& e : log()) EXPECT_FALSE(e.window == "main" && e.message == WM_COMMAND);
  headless::click(button);
  EXPECT_EQ(log().back(), (entry{"main", WM_COMMAND, MAKEWPARAM(0, BN_CLICKED)}));
}

TEST_F(dialog_test, a_dialog_destroyed_from_a_tick_gives_minus_one_and_frees_the_owner) {
  INT_PTR code = 0;
  bool asked = false;
  recording::window_handlers()[WM_TIMER] = [&](HWND, UINT, WPARAM, LPARAM) {
    if (!asked) {
      asked = true;
      code = ask(nullptr);
    } else if (HWND d = headless::top_dialog()) {
      DestroyWindow(d);
    }
    return LRESULT{0};
  };
  headless::on_modal_loop([&](HWND) { headless::run_for_seconds(3); });
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(3);
  EXPECT_EQ(code, -1);
  EXPECT_TRUE(headless::is_enabled(main));
}

TEST_F(dialog_test, a_modal_loop_nobody_answers_is_reported) {
  std::string name;
  EXPECT_THROW(ask(&name), headless::stuck);
}

TEST_F(dialog_test, dialog_sits_on_the_owner_client_area_in_dialog_units) {
  RECT dialog_rect{};
  RECT button_rect{};
  RECT main_rect{};
  GetWindowRect(main, &main_rect);
  headless::on_modal_loop([&](HWND dialog) {
    GetWindowRect(dialog, &dialog_rect);
    GetWindowRect(GetDlgItem(dialog, 100), &button_rect);
    headless::press_enter();
  });
  std::string name;
  ask(&name);
  // Client origin of the main window: frame 4, caption 19, menu 19.
  // The dialog's client area starts there; its frame lies around it.
  LONG client_x = main_rect.left + 4;
  LONG client_y = main_rect.top + 4 + 19 + 19;
  EXPECT_EQ(dialog_rect.left, client_x - 4);
  EXPECT_EQ(dialog_rect.top, client_y - 4 - 19);
  // 270 x 180 units of an 8-point font (6 x 13 pixels): 405 x 292 pixels.
  EXPECT_EQ(dialog_rect.right - dialog_rect.left, 405 + 8);
  EXPECT_EQ(dialog_rect.bottom - dialog_rect.top, 292 + 8 + 19);
  // The button at 51, 12 units, 138 x 39: 76, 19 and 207 x 63 pixels.
  EXPECT_EQ(button_rect.left - client_x, 76);
  EXPECT_EQ(button_rect.top - client_y, 19);
  EXPECT_EQ(button_rect.right - button_rect.left, 207);
  EXPECT_EQ(button_rect.bottom - button_rect.top, 63);
}

}  // namespace
