// Window creation, destruction, texts, window words and calls with bad
// arguments.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/headless.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

using recording::entry;
using recording::log;

class window_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    module = recording::program_module();
    ASSERT_NE(module, nullptr);
    ASSERT_NE(recording::register_class(module), 0);
  }
  HWND create(const char* caption, HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW,
              int id = 0) {
    return CreateWindowExA(0, "recorder", caption, style, 0, 0, 100, 100, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), module, nullptr);
  }
  HINSTANCE module = nullptr;
};

struct creation_case {
  const char* name;
  LRESULT nccreate_result;
  LRESULT create_result;
  bool created;
  std::vector<UINT> messages;
};

void PrintTo(const creation_case& c, std::ostream* out) { *out << c.name; }

class creation_table : public window_test, public ::testing::WithParamInterface<creation_case> {};

TEST_P(creation_table, procedure_receives_in_order) {
  const creation_case& c = GetParam();
  recording::window_handlers()[WM_NCCREATE] = [&](HWND, UINT, WPARAM, LPARAM) { return c.nccreate_result; };
  recording::window_handlers()[WM_CREATE] = [&](HWND, UINT, WPARAM, LPARAM) { return c.create_result; };
  HWND hwnd = create("w");
  EXPECT_EQ(hwnd != nullptr, c.created);
  EXPECT_EQ(IsWindow(hwnd) != FALSE, c.created);
  std::vector<UINT> got;
  for (const entry& e : log()) got.push_back(e.message);
  EXPECT_EQ(got, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    cases, creation_table,
    ::testing::Values(
        creation_case{"created", TRUE, 0, true, {WM_NCCREATE, WM_CREATE}},
        creation_case{"create_refused", TRUE, -1, false,
                      {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}},
        creation_case{"nccreate_refused", FALSE, 0, false, {WM_NCCREATE, WM_DESTROY, WM_NCDESTROY}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(window_test, creation_record_reaches_wm_create_before_the_call_returns) {
  int marker = 7;
  CREATESTRUCTA seen{};
  std::string seen_name;
  recording::window_handlers()[WM_CREATE] = [&](HWND, UINT, WPARAM, LPARAM lparam) {
    seen = *reinterpret_cast<CREATESTRUCTA*>(lparam);
    seen_name = seen.lpszName;
    return LRESULT{0};
  };
  HWND hwnd = CreateWindowExA(0, "recorder", "タイトル", WS_OVERLAPPEDWINDOW, 312, 234, 400, 300,
                              nullptr, nullptr, module, &marker);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(seen.lpCreateParams, &marker);
  EXPECT_EQ(seen.hInstance, module);
  EXPECT_EQ(seen.x, 312);
  EXPECT_EQ(seen.y, 234);
  EXPECT_EQ(seen.cx, 400);
  EXPECT_EQ(seen.cy, 300);
  EXPECT_EQ(seen_name, "タイトル");
  EXPECT_EQ(reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(GetWindowLongA(hwnd, GWL_HINSTANCE))),
            module);
}

TEST_F(window_test, destroy_order_owned_first_then_parents_before_children) {
  HWND main = create("main");
  HWND popup = create("popup", main, WS_POPUP);
  HWND child1 = create("child1", main, WS_CHILD, 1);
  create("grandchild", child1, WS_CHILD, 3);
  create("child2", main, WS_CHILD, 2);
  bool child_alive_in_destroy = false;
  recording::window_handlers()[WM_DESTROY] = [&](HWND hwnd, UINT, WPARAM, LPARAM) {
    if (hwnd == main) child_alive_in_destroy = GetDlgItem(main, 1) == child1;
    return LRESULT{0};
  };
  log().clear();
  ASSERT_TRUE(DestroyWindow(main));
  std::vector<entry> expected = {
      {"popup", WM_DESTROY, 0},       {"popup", WM_NCDESTROY, 0},  {"main", WM_DESTROY, 0},
      {"child1", WM_DESTROY, 0},      {"grandchild", WM_DESTROY, 0}, {"child2", WM_DESTROY, 0},
      {"child2", WM_NCDESTROY, 0},    {"grandchild", WM_NCDESTROY, 0}, {"child1", WM_NCDESTROY, 0},
      {"main", WM_NCDESTROY, 0},
  };
  EXPECT_EQ(log(), expected);
  EXPECT_TRUE(child_alive_in_destroy);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_FALSE(IsWindow(child1));
}

TEST_F(window_test, destroying_a_window_from_its_own_procedure_is_safe) {
  HWND main = create("main");
  BOOL set_after = TRUE;
  recording::window_handlers()[WM_TIMER] = [&](HWND hwnd, UINT, WPARAM, LPARAM) {
    DestroyWindow(hwnd);
    set_after = SetWindowTextA(hwnd, "gone");
    SendMessageA(hwnd, WM_USER, 0, 0);
    return LRESULT{0};
  };
  ShowWindow(main, SW_SHOW);
  SetTimer(main, 5, 100, nullptr);
  headless::run_for_seconds(1);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_FALSE(set_after);
  // The timer died with the window: one tick only.
  int ticks = 0;
  for (const entry& e : log()) ticks += e.message == WM_TIMER;
  EXPECT_EQ(ticks, 1);
}

TEST_F(window_test, class_names_are_unique_without_regard_to_case) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = recording::window_proc;
  wc.lpszClassName = "RECORDER";
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  wc.lpszClassName = "other";
  EXPECT_NE(RegisterClassExA(&wc), 0);
  EXPECT_EQ(RegisterClassExA(&wc), 0);
}

TEST_F(window_test, test_switches_fail_the_next_call_only) {
  headless::fail_next_create_window();
  EXPECT_EQ(create("first"), nullptr);
  EXPECT_TRUE(log().empty());
  EXPECT_NE(create("second"), nullptr);

  headless::fail_next_register_class();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = recording::window_proc;
  wc.lpszClassName = "another";
  EXPECT_EQ(RegisterClassExA(&wc), 0);
  EXPECT_NE(RegisterClassExA(&wc), 0);
}

struct text_case {
  const char* text;
  int max_count;
  const char* expected;
};

void PrintTo(const text_case& c, std::ostream* out) { *out << c.text; }

class get_text_table : public window_test, public ::testing::WithParamInterface<text_case> {};

TEST_P(get_text_table, truncates_with_a_terminating_zero) {
  HWND hwnd = create(GetParam().text);
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  int n = GetWindowTextA(hwnd, buffer, GetParam().max_count);
  EXPECT_STREQ(buffer, GetParam().expected);
  EXPECT_EQ(n, static_cast<int>(std::strlen(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(
    cases, get_text_table,
    ::testing::Values(text_case{"ABCDEF", 16, "ABCDEF"}, text_case{"ABCDEF", 4, "ABC"},
                      text_case{"ABCDEF", 1, ""}, text_case{"日本", 5, "日本"},
                      // A double-byte character is never cut in half.
                      text_case{"日本", 4, "日"}, text_case{"A日", 3, "A"}));

TEST_F(window_test, bad_calls_fail_quietly_with_the_documented_result) {
  HWND main = create("main");
  HWND gone = create("gone");
  DestroyWindow(gone);
  char buffer[8] = "keep";
  MSG msg;
  PAINTSTRUCT ps;
  RECT r{};
  struct bad_call {
    const char* what;
    std::function<LONG_PTR()> call;
    LONG_PTR expected;
  };
  std::vector<bad_call> calls = {
      {"SendMessageA to null", [&] { return SendMessageA(nullptr, WM_USER, 0, 0); }, 0},
      {"SendMessageA to destroyed", [&] { return SendMessageA(gone, WM_USER, 0, 0); }, 0},
      {"unknown message", [&] { return SendMessageA(main, 0x7FFF, 1, 2); }, 0},
      {"PostMessageA to destroyed", [&] { return LONG_PTR{PostMessageA(gone, WM_USER, 0, 0)}; }, FALSE},
      {"GetWindowTextA size 0", [&] { return LONG_PTR{GetWindowTextA(main, buffer, 0)}; }, 0},
      {"GetWindowTextA null window", [&] { return LONG_PTR{GetWindowTextA(nullptr, buffer, 8)}; }, 0},
      {"SetWindowTextA destroyed", [&] { return LONG_PTR{SetWindowTextA(gone, "x")}; }, FALSE},
      {"DestroyWindow twice", [&] { return LONG_PTR{DestroyWindow(gone)}; }, FALSE},
      {"ShowWindow null", [&] { return LONG_PTR{ShowWindow(nullptr, SW_SHOW)}; }, FALSE},
      {"KillTimer unknown", [&] { return LONG_PTR{KillTimer(main, 999)}; }, FALSE},
      {"SetTimer destroyed", [&] { return static_cast<LONG_PTR>(SetTimer(gone, 1, 100, nullptr)); }, 0},
      {"GetDlgItem unknown id", [&] { return reinterpret_cast<LONG_PTR>(GetDlgItem(main, 12345)); }, 0},
      {"GetWindowLongA null", [&] { return LONG_PTR{GetWindowLongA(nullptr, GWL_HINSTANCE)}; }, 0},
      {"InvalidateRect destroyed", [&] { return LONG_PTR{InvalidateRect(gone, nullptr, FALSE)}; }, FALSE},
      {"BeginPaint null", [&] { return reinterpret_cast<LONG_PTR>(BeginPaint(nullptr, &ps)); }, 0},
      {"DrawTextA without a context", [&] { return LONG_PTR{DrawTextA(nullptr, "x", -1, &r, 0)}; }, 0},
      {"SelectObject without a context",
       [&] { return reinterpret_cast<LONG_PTR>(SelectObject(nullptr, GetStockObject(WHITE_BRUSH))); }, 0},
      {"DeleteObject of a stock brush", [&] { return LONG_PTR{DeleteObject(GetStockObject(WHITE_BRUSH))}; }, TRUE},
      {"EndDialog on a plain window", [&] { return LONG_PTR{EndDialog(main, 1)}; }, FALSE},
      {"DialogBoxParamA unknown template",
       [&] { return DialogBoxParamA(module, "NOSUCH", main, nullptr, 0); }, -1},
      {"DialogBoxParamA destroyed owner",
       [&] { return DialogBoxParamA(module, "MYDIALOG", gone, nullptr, 0); }, -1},
      {"MessageBoxA destroyed owner", [&] { return LONG_PTR{MessageBoxA(gone, "t", "c", MB_OK)}; }, 0},
      {"LoadImageA unknown icon",
       [&] { return reinterpret_cast<LONG_PTR>(LoadImageA(module, MAKEINTRESOURCEA(999), IMAGE_ICON, 0, 0, LR_SHARED)); }, 0},
      {"GetMessageA destroyed filter", [&] { return LONG_PTR{GetMessageA(&msg, gone, 0, 0)}; }, -1},
      {"RegisterClassExA null", [&] { return LONG_PTR{RegisterClassExA(nullptr)}; }, 0},
      {"CreateWindowExA unknown class",
       [&] { return reinterpret_cast<LONG_PTR>(CreateWindowExA(0, "nosuch", "", 0, 0, 0, 1, 1, nullptr, nullptr, module, nullptr)); }, 0},
      {"child without a parent",
       [&] { return reinterpret_cast<LONG_PTR>(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, module, nullptr)); }, 0},
  };
  for (const bad_call& c : calls) EXPECT_EQ(c.call(), c.expected) << c.what;
  EXPECT_STREQ(buffer, "keep");
}

TEST_F(window_test, default_procedure_close_destroys_and_paint_validates) {
  HWND main = create("main");
  ShowWindow(main, SW_SHOW);
  headless::run_until_idle();
  EXPECT_TRUE(IsWindow(main));
  InvalidateRect(main, nullptr, FALSE);
  headless::run_until_idle();  // a WM_PAINT left to DefWindowProcA does not come again
  SendMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(main));
}

}  // namespace
