// Painting onto the persistent client surface, as the main window paints its
// event text: what the headless view records is what a person would see.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

using headless::draw_kind;
using headless::draw_op;

std::string painted_text;
bool clear_first = false;
COLORREF text_colour = RGB(0, 255, 255);

LRESULT painter(HWND hwnd, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  SetRect(&r, 0, 0, 400, 300);
  if (clear_first) {
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    SelectObject(dc, brush);
    PatBlt(dc, 1, 1, 400, 300, PATCOPY);
    DeleteObject(brush);
    clear_first = false;
  }
  SetTextColor(dc, text_colour);
  DrawTextA(dc, painted_text.c_str(), -1, &r, DT_EXPANDTABS);
  EndPaint(hwnd, &ps);
  return 0;
}

class paint_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    painted_text.clear();
    clear_first = false;
    text_colour = RGB(0, 255, 255);
    recording::window_handlers()[WM_PAINT] = painter;
    main = recording::create_main(recording::program_module());
    ASSERT_NE(main, nullptr);
  }
  void repaint() {
    InvalidateRect(main, nullptr, FALSE);
    headless::run_until_idle();
  }
  std::vector<std::string> visible_lines() {
    std::vector<std::string> out;
    for (const draw_op& op : headless::visible_text(main)) out.push_back(op.text);
    return out;
  }
  HWND main = nullptr;
};

TEST_F(paint_test, first_paint_erases_with_the_class_brush) {
  std::vector<draw_op> ops = headless::drawing_of(main);
  ASSERT_EQ(ops.size(), 1u);
  EXPECT_EQ(ops[0].kind, draw_kind::fill);
  EXPECT_EQ(ops[0].colour, RGB(255, 255, 255));
  RECT client;
  GetClientRect(main, &client);
  // 400 x 300 outside: thick frame 4, caption 19, menu bar 19.
  EXPECT_EQ(client.right, 392);
  EXPECT_EQ(client.bottom, 254);
  EXPECT_EQ(ops[0].rect.right, 392);
  EXPECT_EQ(ops[0].rect.bottom, 254);
}

TEST_F(paint_test, line_feeds_break_lines_and_tabs_expand_with_opaque_white_behind) {
  painted_text = "2026/04/01 09:00:00\tin__入室\t山田\n";
  text_colour = RGB(255, 0, 255);
  headless::clear_drawing();
  repaint();
  std::vector<draw_op> ops = headless::drawing_of(main);
  ASSERT_EQ(ops.size(), 1u);  // the final line feed starts no empty line
  EXPECT_EQ(ops[0].kind, draw_kind::text);
  EXPECT_EQ(ops[0].text, "2026/04/01 09:00:00     in__入室        山田");
  EXPECT_EQ(ops[0].colour, RGB(255, 0, 255));
  EXPECT_TRUE(ops[0].opaque);
  EXPECT_EQ(ops[0].background, RGB(255, 255, 255));
  EXPECT_EQ(ops[0].rect.top, 0);
  EXPECT_EQ(ops[0].rect.bottom, 16);

  painted_text = "one\ntwo";
  headless::clear_drawing();
  repaint();
  ops = headless::drawing_of(main);
  ASSERT_EQ(ops.size(), 2u);
  EXPECT_EQ(ops[1].text, "two");
  EXPECT_EQ(ops[1].rect.top, 16);
}

TEST_F(paint_test, repaint_without_erase_leaves_the_old_pixels) {
  painted_text = "a long first line";
  repaint();
  painted_text = "short";
  repaint();
  // Nothing erased the first line: "short" is drawn over its start only.
  EXPECT_EQ(visible_lines(), (std::vector<std::string>{"a long first line", "short"}));
  clear_first = true;
  painted_text = "next";
  repaint();
  EXPECT_EQ(visible_lines(), (std::vector<std::string>{"next"}));
  // Redrawing the same text on top of itself shows it once.
  repaint();
  repaint();
  EXPECT_EQ(visible_lines(), (std::vector<std::string>{"next"}));
}

TEST_F(paint_test, drawing_is_clipped_to_the_client_area) {
  painted_text = std::string(60, 'x');  // 480 pixels wide
  repaint();
  std::vector<draw_op> ops = headless::drawing_of(main);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().rect.right, 392);
  clear_first = true;
  repaint();
  ops = headless::drawing_of(main);
  const draw_op& fill = ops[ops.size() - 2];
  EXPECT_EQ(fill.kind, draw_kind::fill);
  EXPECT_EQ(fill.rect.left, 1);
  EXPECT_EQ(fill.rect.top, 1);
  EXPECT_EQ(fill.rect.right, 392);
  EXPECT_EQ(fill.rect.bottom, 254);
}

TEST_F(paint_test, a_hidden_window_is_not_painted_until_shown) {
  ShowWindow(main, SW_HIDE);
  headless::clear_drawing();
  painted_text = "hidden";
  repaint();
  EXPECT_TRUE(headless::drawing_of(main).empty());
  ShowWindow(main, SW_SHOW);
  headless::run_until_idle();
  EXPECT_EQ(visible_lines(), (std::vector<std::string>{"hidden"}));
}

}  // namespace
