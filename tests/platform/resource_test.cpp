// The compiled resource script read back: the dialog template, the menu, the
// icon, the waves and the version resource are what portelia.rc says.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/headless.h"
#include "platform/menu.h"
#include "platform/resource_data.h"
#include "platform/win32.h"
#include "platform/window_query.h"
#include "recording.h"
#include "resources/embedded_resources.h"

namespace {

class resource_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    module = recording::program_module();
    ASSERT_NE(module, nullptr);
  }
  HINSTANCE module = nullptr;
};

TEST_F(resource_test, dialog_template_has_the_scripted_styles_ids_positions_and_texts) {
  const unsigned char* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(resource_data_find(module, RT_DIALOG, "MYDIALOG", &data, &size));
  platform::dialog_template t;
  ASSERT_TRUE(platform::parse_dialog_template(data, size, &t));
  EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                        WS_MINIMIZEBOX | DS_SETFONT));
  EXPECT_EQ(t.style, 0x80CE0040u);
  EXPECT_EQ(t.ex_style, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
  EXPECT_EQ(t.x, 0);
  EXPECT_EQ(t.y, 0);
  EXPECT_EQ(t.cx, 270);
  EXPECT_EQ(t.cy, 180);
  EXPECT_FALSE(t.menu.present);
  EXPECT_FALSE(t.window_class.present);
  EXPECT_EQ(t.caption, "Form");
  EXPECT_EQ(t.point_size, 8);
  EXPECT_EQ(t.font_face, "ＭＳ 明朝");

  struct control {
    WORD id;
    const char* window_class;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
  };
  const std::vector<control> expected = {
      {100, "BUTTON", "Button200", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 51, 12, 138, 39},
      {101, "STATIC", "Label201", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY, 54, 69, 135, 33},
      {102, "EDIT", "Edit202", WS_CHILD | WS_VISIBLE | WS_DLGFRAME | ES_LEFT | ES_AUTOHSCROLL, 57, 120,
       135, 39},
  };
  ASSERT_EQ(t.controls.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const auto& c = t.controls[i];
    const auto& e = expected[i];
    SCOPED_TRACE(e.text);
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.window_class.text, e.window_class);
    EXPECT_EQ(c.text.text, e.text);
    EXPECT_EQ(c.style, e.style);
    EXPECT_FALSE(c.style & WS_TABSTOP);
    EXPECT_EQ(c.x, e.x);
    EXPECT_EQ(c.y, e.y);
    EXPECT_EQ(c.cx, e.cx);
    EXPECT_EQ(c.cy, e.cy);
    EXPECT_TRUE(c.creation_data.empty());
  }
  EXPECT_EQ(t.controls[0].style, 0x50000001u);
}

TEST_F(resource_test, menu_has_four_pop_ups_and_the_command_ids) {
  HMENU menu = LoadMenuA(module, "mymenu");
  ASSERT_NE(menu, nullptr);
  const std::vector<platform::menu_item>* bar = platform::menu_items(menu);
  ASSERT_NE(bar, nullptr);
  std::vector<std::string> popups;
  std::vector<std::pair<std::string, WORD>> commands;
  for (const auto& p : *bar) {
    EXPECT_TRUE(p.flags & MF_POPUP);
    popups.push_back(p.text);
    for (const auto& item : p.items) commands.emplace_back(item.text, item.id);
  }
  EXPECT_EQ(popups, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "表示(&V)", "ヘルプ(&H)"}));
  const std::vector<std::pair<std::string, WORD>> expected = {
      {"新規(&N)", 200},        {"データを開く(&O)", 201}, {"データの保存(&S)", 202},
      {"名前をつけて保存(&A)", 203}, {"", 0},               {"終了(&X)", 204},
      {"切り取り(&T)", 205},    {"コピー(&C)", 206},       {"貼り付け(&P)", 207},
      {"標準(&S)", 208},        {"ヴァージョン情報(&V)", 209},
  };
  EXPECT_EQ(commands, expected);
  EXPECT_TRUE((*bar)[0].items[4].flags & MF_SEPARATOR);
  EXPECT_TRUE(platform::menu_has_command(menu, 209));
  EXPECT_FALSE(platform::menu_has_command(menu, 0));
  EXPECT_TRUE(DestroyMenu(menu));
}

TEST_F(resource_test, choosing_a_menu_item_sends_its_id_in_the_low_word) {
  HWND main = recording::create_main(module);
  recording::log().clear();
  EXPECT_TRUE(headless::choose_menu_item(main, 204));
  EXPECT_FALSE(headless::choose_menu_item(main, 999));
  std::vector<recording::entry> expected = {{"main", WM_COMMAND, MAKEWPARAM(204, 0)}};
  EXPECT_EQ(recording::log(), expected);
}

TEST_F(resource_test, icon_300_and_the_arrow_cursor_load) {
  HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(300), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadImageA(module, "#300", IMAGE_ICON, 0, 0, LR_SHARED), icon);  // shared: the same handle
  platform::icon_info info;
  ASSERT_TRUE(platform::query_icon(static_cast<HICON>(icon), &info));
  EXPECT_EQ(info.width, 32);
  EXPECT_EQ(info.height, 32);
  EXPECT_GT(info.image_size, 40u);
  EXPECT_NE(LoadImageA(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE), nullptr);
}

TEST_F(resource_test, waves_are_found_by_name_without_regard_to_case) {
  for (const char* name : {"BEEP", "Beep", "oha", "KONNI", "konban", "otsuka"}) {
    const unsigned char* data = nullptr;
    size_t size = 0;
    ASSERT_TRUE(resource_data_find(module, "wave", name, &data, &size)) << name;
    ASSERT_GT(size, 12u);
    EXPECT_EQ(std::memcmp(data, "RIFF", 4), 0) << name;
    EXPECT_EQ(std::memcmp(data + 8, "WAVE", 4), 0) << name;
  }
  EXPECT_FALSE(resource_data_find(module, "WAVE", "nosuch", nullptr, nullptr));
  EXPECT_FALSE(resource_data_find(nullptr, "WAVE", "BEEP", nullptr, nullptr));
}

TEST_F(resource_test, version_resource_carries_the_version_strings) {
  const unsigned char* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(resource_data_find(module, RT_VERSION, MAKEINTRESOURCEA(1), &data, &size));
  auto utf16 = [](const char* ascii) {
    std::string out;
    for (const char* p = ascii; *p; ++p) {
      out.push_back(*p);
      out.push_back('\0');
    }
    return out;
  };
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EXPECT_EQ(bytes.find(utf16("VS_VERSION_INFO")), 6u);
  EXPECT_NE(bytes.find(utf16("Ver 1.0A")), std::string::npos);
  EXPECT_NE(bytes.find(utf16("PORTELIA.exe")), std::string::npos);
  EXPECT_NE(bytes.find(utf16("041103a4")), std::string::npos);
}

TEST(resource_image, malformed_images_make_no_module) {
  std::vector<unsigned char> res(portelia_resources, portelia_resources + portelia_resources_size);
  for (size_t cut : {size_t{7}, size_t{40}, res.size() - 1}) {
    std::vector<unsigned char> part(res.begin(), res.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_EQ(module_from_resources(part.data(), part.size()), nullptr) << cut;
  }
  EXPECT_EQ(module_from_resources(nullptr, 100), nullptr);
  std::vector<unsigned char> huge = res;
  huge[32] = 0xFF;  // the first real entry claims more data than there is
  huge[35] = 0x7F;
  EXPECT_EQ(module_from_resources(huge.data(), huge.size()), nullptr);
}

}  // namespace
