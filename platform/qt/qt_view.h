// The view on a real screen, with Qt 6 Widgets. Each top-level window of
// the window model is a Qt window with its title, icon and menu bar; its
// client area is a persistent image that the program's drawing paints, so
// what was drawn stays until something is drawn over it. Child controls are
// Qt widgets at the model's client positions: STATIC a label, BUTTON a push
// button, EDIT a line edit, LISTBOX a list. A person's clicks, typing, keys,
// menu choices and the close box become the calls of platform/input.h;
// nothing here calls the program itself.
//
// Owner windows under a modal dialog take no input while the model says
// they are disabled. Texts cross this boundary through qt_text.h.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/view.h"

class QApplication;

namespace platform::qt {

class client_surface;
class input_filter;

class qt_view final : public view {
 public:
  // Uses the running QApplication, or makes one from the command line
  // (which Qt may shorten by the options it takes, such as -platform).
  qt_view(int& argc, char** argv);
  ~qt_view() override;

  int screen_width() override;
  int screen_height() override;
  font_metrics dialog_font(std::string_view face, int points) override;
  font_metrics system_font() override;
  int text_width(std::string_view line) override;
  void window_changed(HWND window, window_change change) override;
  void fill_rect(HWND window, const RECT& rect, COLORREF colour) override;
  void draw_text(HWND window, const RECT& cell, const RECT& clip, std::string_view line, COLORREF colour,
                 COLORREF background, bool opaque) override;
  // Handles Qt's events until one of them may have queued input, or until
  // the deadline; sleeps in the event loop meanwhile.
  void wait_for_input(std::optional<int64_t> deadline_ms) override;

  // The Qt widget that shows a window (for a top-level window, the Qt
  // window), or null.
  QWidget* widget_of(HWND window) const;
  // The window's client area as drawn by the program, or a null image.
  QImage client_image(HWND window) const;

 private:
  struct mirror {
    QPointer<QWidget> widget;
    QPointer<client_surface> surface;
    bool top_level = false;
    std::optional<QFont> font;  // the dialog font its controls use
  };

  void create(HWND window);
  void create_top_level(HWND window);
  void create_control(HWND window);
  void refresh_text(HWND window);
  void refresh_items(HWND window);
  void refresh_geometry(HWND window);
  void refresh_focus(HWND window);
  void show_top_level(HWND window, bool show);
  void destroy(HWND window);
  client_surface* surface_of(HWND window) const;

  std::unique_ptr<QApplication> own_application_;
  std::unique_ptr<input_filter> filter_;
  QFont system_font_;
  std::optional<QFont> next_dialog_font_;
  std::unordered_map<HWND, mirror> mirrors_;
  std::unordered_set<HWND> stale_lists_;
  bool application_icon_set_ = false;
};

}  // namespace platform::qt
