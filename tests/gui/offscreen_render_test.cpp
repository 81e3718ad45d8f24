// The whole program on Qt's offscreen screen: after each card event the
// event line on the main window shows in the colour of the card's roster
// position (cyan, blue, magenta, light blue, round again).
#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "platform/qt/qt_view.h"
#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "platform/win32.h"
#include "readerlib/state_file.h"
#include "resources/embedded_resources.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

namespace fs = std::filesystem;

struct card_colour {
  const char* idm;
  QColor colour;
};

// Four registered cards, at roster indices 0 to 3, in this order.
const card_colour cards[] = {
    {"0000000000000010", QColor(0, 255, 255)},
    {"0000000000000011", QColor(0, 0, 255)},
    {"0000000000000012", QColor(255, 0, 255)},
    {"0000000000000013", QColor(0, 170, 255)},
};

void write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Pixels of each colour in the first line of the client area.
std::vector<int> colour_counts(const QImage& window, int client_top, int line_height) {
  std::vector<int> counts(std::size(cards), 0);
  for (int y = client_top; y < client_top + line_height && y < window.height(); ++y) {
    for (int x = 0; x < window.width(); ++x) {
      QRgb p = window.pixel(x, y);
      for (size_t i = 0; i < std::size(cards); ++i) counts[i] += p == cards[i].colour.rgb();
    }
  }
  return counts;
}

TEST(offscreen_window, each_event_line_has_the_colour_of_its_roster_index) {
  const fs::path folder = fs::temp_directory_path() / ("portelia-offscreen-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "data");
  std::string roster;
  for (const auto& c : cards) {
    roster += std::string(c.idm) + " 1775034000 Name" + std::string(c.idm + 14) + "\r\n";
    write(folder / "data" / (std::string(c.idm) + "_inf.txt"), "state 0\r\n");
  }
  write(folder / "data" / "idm_list.txt", roster);
  const std::string reader = (folder / "reader.state").string();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("TZ", "UTC0", 1);
  setenv("CommonProgramFiles", PORTELIA_COMMON_FOLDER, 1);
  setenv("PORTELIA_EMULATED_READER", reader.c_str(), 1);
  ASSERT_TRUE(save_emulated_reader(reader, emulated_reader{}, nullptr));
  const fs::path previous = fs::current_path();
  fs::current_path(folder / "data");
  sound_output_enable(false);

  int argc = 1;
  char name[] = "offscreen_render_test";
  char* argv[] = {name, nullptr};
  platform::qt::qt_view view(argc, argv);
  platform::set_view(&view);

  // The person puts each card on the reader in turn; the test hurries the
  // poll timer along by posting its tick, and looks at the window after
  // each event until the line shows (or 3 seconds pass).
  std::vector<std::vector<int>> seen(std::size(cards));
  size_t step = 0;
  bool card_down = false;
  auto since = std::chrono::steady_clock::now();
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (step == std::size(cards)) {
      look.stop();
      PostQuitMessage(0);
      return;
    }
    if (!card_down) {
      emulated_reader state;
      state.card = default_card(*parse_card_identifier(cards[step].idm), default_pmm);
      save_emulated_reader(reader, state, nullptr);
      PostMessageA(main_window, WM_TIMER, 100, 0);
      card_down = true;
      since = std::chrono::steady_clock::now();
      return;
    }
    QImage shown = view.widget_of(main_window)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int client_top = shown.height() - view.client_image(main_window).height();
    seen[step] = colour_counts(shown, client_top, view.system_font().height);
    if (seen[step][step] > 0 || std::chrono::steady_clock::now() - since > std::chrono::seconds(3)) {
      if (step + 1 == std::size(cards))
        shown.save(QString::fromUtf8(PORTELIA_GUI_OUTPUT "/offscreen-main-window.png"));
      ++step;
      card_down = false;
    }
  });
  look.start(50);

  HINSTANCE instance = module_from_resources(portelia_resources, portelia_resources_size);
  char command_line[] = "";
  EXPECT_EQ(WinMain(instance, nullptr, command_line, SW_SHOWDEFAULT), 0);

  for (size_t i = 0; i < std::size(cards); ++i) {
    ASSERT_EQ(seen[i].size(), std::size(cards)) << "card " << i << " never looked at";
    for (size_t c = 0; c < std::size(cards); ++c) {
      if (c == i)
        EXPECT_GT(seen[i][c], 20) << "card at index " << i << ": too few pixels of its colour";
      else
        EXPECT_EQ(seen[i][c], 0) << "card at index " << i << " shows the colour of index " << c;
    }
  }
  platform::set_view(nullptr);
  fs::current_path(previous);
  fs::remove_all(folder);
}

}  // namespace
