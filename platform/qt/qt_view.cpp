#include "platform/qt/qt_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_icon.h"
#include "platform/qt/qt_text.h"
#include "platform/window_query.h"

namespace platform::qt {
namespace {

constexpr const char* handle_property = "portelia_window";
constexpr DWORD static_type_mask = 0x1F;
constexpr DWORD static_icon = 0x03;

HWND handle_of(const QObject* object) {
  if (!object) return nullptr;
  QVariant v = object->property(handle_property);
  return v.isValid() ? reinterpret_cast<HWND>(static_cast<uintptr_t>(v.toULongLong())) : nullptr;
}

void tag(QObject* object, HWND window) {
  object->setProperty(handle_property, QVariant::fromValue(static_cast<qulonglong>(reinterpret_cast<uintptr_t>(window))));
}

QColor colour_of(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QRect rect_of(const RECT& r) {
  return QRect(r.left, r.top, std::max<LONG>(r.right - r.left, 0), std::max<LONG>(r.bottom - r.top, 0));
}

bool model_enabled(HWND window) {
  window_info info;
  return query_window(window, &info) && info.enabled;
}

// The system's message box icons, named as the model names them.
QIcon system_icon(const std::string& name) {
  QStyle* style = QApplication::style();
  if (name == "#32513") return style->standardIcon(QStyle::SP_MessageBoxCritical);
  if (name == "#32514") return style->standardIcon(QStyle::SP_MessageBoxQuestion);
  if (name == "#32515") return style->standardIcon(QStyle::SP_MessageBoxWarning);
  if (name == "#32516") return style->standardIcon(QStyle::SP_MessageBoxInformation);
  return QIcon();
}

void fill_menu(QWidget* menu, HWND window, const std::vector<menu_entry>& entries) {
  for (const menu_entry& e : entries) {
    if (e.separator) {
      if (auto* m = qobject_cast<QMenu*>(menu)) m->addSeparator();
      continue;
    }
    QString text = from_sjis(e.text);
    if (e.popup) {
      QMenu* sub = nullptr;
      if (auto* bar = qobject_cast<QMenuBar*>(menu)) sub = bar->addMenu(text);
      if (auto* m = qobject_cast<QMenu*>(menu)) sub = m->addMenu(text);
      if (!sub) continue;
      sub->setEnabled(e.enabled);
      fill_menu(sub, window, e.items);
      continue;
    }
    auto* action = new QAction(text, menu);
    action->setEnabled(e.enabled);
    WORD id = e.id;
    QObject::connect(action, &QAction::triggered, action, [window, id] { input_choose_menu_item(window, id); });
    menu->addAction(action);
  }
}

}  // namespace

// A window's client area: the image the program draws on, shown as it is.
class client_surface final : public QWidget {
 public:
  client_surface(QWidget* parent, QSize size, QColor background)
      : QWidget(parent), image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32), background_(background) {
    image.fill(background_);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  void resize_image(QSize size) {
    size = size.expandedTo(QSize(1, 1));
    if (size == image.size()) return;
    QImage larger(size, QImage::Format_RGB32);
    larger.fill(background_);
    QPainter(&larger).drawImage(0, 0, image);
    image = larger;
    update();
  }

  QImage image;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), background_);
    painter.drawImage(event->rect().topLeft(), image, event->rect());
  }

 private:
  QColor background_;
};

namespace {

// A top-level window: the menu bar above the client area. The close box
// asks the model, which decides.
class top_window final : public QWidget {
 public:
  explicit top_window(HWND window, Qt::WindowFlags flags) : QWidget(nullptr, flags), window_(window) {}

  QMenuBar* menu_bar = nullptr;
  client_surface* surface = nullptr;

  int menu_height() const { return menu_bar ? menu_bar->sizeHint().height() : 0; }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (model_enabled(window_)) input_close_box(window_);
  }
  void resizeEvent(QResizeEvent*) override {
    int top = menu_height();
    if (menu_bar) menu_bar->setGeometry(0, 0, width(), top);
    if (surface) surface->setGeometry(0, top, width(), std::max(height() - top, 0));
  }

 private:
  HWND window_;
};

}  // namespace

// Keeps input from windows that the model has disabled, and turns Enter
// and Escape into keys of the model (a dialog makes them its commands).
class input_filter final : public QObject {
 public:
  // Called when a person presses on a window that takes no input.
  std::function<void()> refused_press;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::InputMethod:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return false;
    HWND top = handle_of(widget->window());
    if (!top) return false;  // a pop-up menu, or not ours
    if (!model_enabled(top)) {
      // As on Windows, a click on a window under a modal dialog brings the
      // dialog to the front, with the keyboard.
      if (event->type() == QEvent::MouseButtonPress && refused_press) refused_press();
      return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    int key = static_cast<QKeyEvent*>(event)->key();
    WPARAM virtual_key = 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) virtual_key = VK_RETURN;
    if (key == Qt::Key_Escape) virtual_key = VK_ESCAPE;
    if (!virtual_key) return false;
    HWND target = handle_of(widget);
    input_key(target && target != top ? target : top, virtual_key);
    return true;
  }
};

qt_view::qt_view(int& argc, char** argv) {
  if (!QApplication::instance()) own_application_ = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  filter_ = std::make_unique<input_filter>();
  filter_->refused_press = [this] {
    QWidget* active = widget_of(active_window());
    if (!active || !active->isVisible()) return;
    active->raise();
    active->activateWindow();
  };
  QApplication::instance()->installEventFilter(filter_.get());
  system_font_ = qt::system_font();
}

qt_view::~qt_view() {
  QApplication::instance()->removeEventFilter(filter_.get());
  for (auto& [window, m] : mirrors_) {
    if (m.top_level) delete m.widget.data();
  }
  mirrors_.clear();
}

int qt_view::screen_width() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : fixed_screen_width;
}

int qt_view::screen_height() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : fixed_screen_height;
}

font_metrics qt_view::dialog_font(std::string_view face, int points) {
  // The dialog that is made next uses this font for its controls.
  next_dialog_font_ = qt::dialog_font(face, points);
  return metrics_of(*next_dialog_font_);
}

font_metrics qt_view::system_font() { return metrics_of(system_font_); }

int qt_view::text_width(std::string_view line) {
  return QFontMetrics(system_font_).horizontalAdvance(from_sjis(line));
}

QWidget* qt_view::widget_of(HWND window) const {
  auto it = mirrors_.find(window);
  return it == mirrors_.end() ? nullptr : it->second.widget.data();
}

client_surface* qt_view::surface_of(HWND window) const {
  auto it = mirrors_.find(window);
  return it == mirrors_.end() ? nullptr : it->second.surface.data();
}

QImage qt_view::client_image(HWND window) const {
  client_surface* s = surface_of(window);
  return s ? s->image : QImage();
}

void qt_view::window_changed(HWND window, window_change change) {
  switch (change) {
    case window_change::created: create(window); break;
    case window_change::destroyed: destroy(window); break;
    case window_change::shown:
    case window_change::hidden: {
      auto it = mirrors_.find(window);
      if (it == mirrors_.end() || !it->second.widget) break;
      if (it->second.top_level) {
        show_top_level(window, change == window_change::shown);
      } else {
        it->second.widget->setVisible(change == window_change::shown);
      }
      break;
    }
    case window_change::text: refresh_text(window); break;
    case window_change::items:
      // A list filled item by item is rebuilt once, before Qt next draws.
      stale_lists_.insert(window);
      break;
    case window_change::geometry: refresh_geometry(window); break;
    case window_change::focus: refresh_focus(window); break;
    case window_change::enabled: {
      // A top-level window keeps its look and only refuses input (see the
      // filter); a control shows that it is disabled.
      window_info info;
      QWidget* w = widget_of(window);
      if (w && query_window(window, &info) && info.parent) w->setEnabled(!(info.style & WS_DISABLED));
      break;
    }
  }
}

void qt_view::create(HWND window) {
  window_info info;
  if (!query_window(window, &info)) return;
  if (info.parent)
    create_control(window);
  else
    create_top_level(window);
}

void qt_view::create_top_level(HWND window) {
  window_info info;
  query_window(window, &info);
  Qt::WindowFlags flags = (info.owner ? Qt::Dialog : Qt::Window) | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
  if (info.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (info.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
  if (info.style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  auto* top = new top_window(window, flags);
  tag(top, window);
  top->setWindowTitle(from_sjis(info.text));

  mirror m;
  m.top_level = true;
  m.widget = top;
  if (info.is_dialog && next_dialog_font_) {
    m.font = *next_dialog_font_;
    next_dialog_font_.reset();
  }
  top->setFont(m.font ? *m.font : system_font_);

  if (info.menu) {
    top->menu_bar = new QMenuBar(top);
    top->menu_bar->setFont(QApplication::font(top->menu_bar));
    fill_menu(top->menu_bar, window, menu_of(window));
  }
  QColor background = info.is_dialog ? top->palette().color(QPalette::Window) : QColor(Qt::white);
  top->surface = new client_surface(top, rect_of(info.client).size(), background);
  tag(top->surface, window);
  m.surface = top->surface;

  QIcon icon = icon_of(info.icon);
  if (!icon.isNull()) {
    top->setWindowIcon(icon);
    if (!application_icon_set_) {
      QApplication::setWindowIcon(icon);
      application_icon_set_ = true;
    }
  }
  if (QWidget* owner = widget_of(info.owner)) {
    top->winId();
    owner->winId();
    if (top->windowHandle() && owner->windowHandle()) top->windowHandle()->setTransientParent(owner->windowHandle());
  }
  mirrors_[window] = m;
  refresh_geometry(window);
}

void qt_view::create_control(HWND window) {
  window_info info;
  query_window(window, &info);
  auto parent_it = mirrors_.find(info.parent);
  if (parent_it == mirrors_.end()) return;
  QWidget* parent = parent_it->second.surface ? parent_it->second.surface.data() : parent_it->second.widget.data();
  if (!parent) return;
  const QFont font = parent_it->second.font ? *parent_it->second.font : system_font_;

  mirror m;
  m.font = parent_it->second.font;
  QWidget* w = nullptr;
  if (info.is_static) {
    auto* label = new QLabel(parent);
    if ((info.style & static_type_mask) == static_icon) {
      QIcon icon = system_icon(info.text);
      label->setPixmap(icon.pixmap(rect_of(info.rect).size()));
    } else {
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      Qt::Alignment h = Qt::AlignLeft;
      if ((info.style & static_type_mask) == SS_CENTER) h = Qt::AlignHCenter;
      if ((info.style & static_type_mask) == SS_RIGHT) h = Qt::AlignRight;
      label->setAlignment(h | Qt::AlignTop);
    }
    w = label;
  } else if (info.is_button) {
    auto* button = new QPushButton(parent);
    button->setDefault((info.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [window] { input_click(window); });
    w = button;
  } else if (info.is_edit) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame((info.style & (WS_BORDER | WS_DLGFRAME)) != 0);
    // What the person typed goes to the model whole; the model's answer
    // comes back through refresh_text ('?' where Shift-JIS has no
    // character).
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [window](const QString& text) { input_replace_text(window, to_sjis(text)); });
    w = edit;
  } else if (info.is_list_box) {
    auto* list = new QListWidget(parent);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [window, list](QListWidgetItem* item) { input_click_list_item(window, list->row(item)); });
    w = list;
  } else {
    auto* surface = new client_surface(parent, rect_of(info.client).size(), QColor(Qt::white));
    m.surface = surface;
    w = surface;
  }
  tag(w, window);
  w->setFont(font);
  w->setEnabled(!(info.style & WS_DISABLED));
  m.widget = w;
  mirrors_[window] = m;
  refresh_text(window);
  refresh_items(window);
  refresh_geometry(window);
  w->setVisible((info.style & WS_VISIBLE) != 0);
}

void qt_view::refresh_text(HWND window) {
  window_info info;
  QWidget* w = widget_of(window);
  if (!w || !query_window(window, &info)) return;
  auto it = mirrors_.find(window);
  if (it->second.top_level) {
    w->setWindowTitle(from_sjis(info.text));
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    // Leave the person's text (and caret) alone when the model agrees.
    if (to_sjis(edit->text()) != info.text) edit->setText(from_sjis(info.text));
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->setText(from_sjis(info.text));
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    if ((info.style & static_type_mask) != static_icon) label->setText(from_sjis(info.text));
  }
}

void qt_view::refresh_items(HWND window) {
  auto* list = qobject_cast<QListWidget*>(widget_of(window));
  window_info info;
  if (!list || !query_window(window, &info)) return;
  QSignalBlocker quiet(list);
  QStringList wanted;
  for (const std::string& item : info.items) wanted << from_sjis(item);
  bool same = list->count() == wanted.size();
  for (int i = 0; same && i < wanted.size(); ++i) same = list->item(i)->text() == wanted[i];
  if (!same) {
    list->clear();
    list->addItems(wanted);
  }
  list->setCurrentRow(info.selection);
}

void qt_view::refresh_geometry(HWND window) {
  window_info info;
  auto it = mirrors_.find(window);
  if (it == mirrors_.end() || !it->second.widget || !query_window(window, &info)) return;
  mirror& m = it->second;
  if (m.surface) m.surface->resize_image(rect_of(info.client).size());
  if (!m.top_level) {
    m.widget->setGeometry(rect_of(info.rect));
    return;
  }
  // The model's outer rectangle holds its own frame, caption and menu bar;
  // here the window system draws the frame, so the window gets the model's
  // client area below a real menu bar, with its frame where the model's is.
  auto* top = static_cast<top_window*>(m.widget.data());
  QSize client = rect_of(info.client).size();
  top->resize(client.width(), client.height() + top->menu_height());
  top->move(info.rect.left, info.rect.top);
}

void qt_view::refresh_focus(HWND window) {
  if (focus_window() != window) return;
  QWidget* w = widget_of(window);
  if (!w) return;
  auto* edit = qobject_cast<QLineEdit*>(w);
  bool had_focus = w->hasFocus();
  if (!w->isWindow()) w->setFocus(Qt::OtherFocusReason);
  // A text field that gets the focus from the dialog manager has its text
  // selected, so that typing replaces it.
  if (edit && !had_focus) edit->selectAll();
  QWidget* top = w->window();
  if (top->isVisible() && handle_of(top) == active_window()) top->activateWindow();
}

void qt_view::show_top_level(HWND window, bool show) {
  QWidget* top = widget_of(window);
  if (!top) return;
  if (!show) {
    top->hide();
    // The window system moves the keyboard to the window the model made
    // active (the owner of a closed dialog).
    if (QWidget* next = widget_of(active_window()); next && next->isVisible()) next->activateWindow();
    return;
  }
  // Showing a top-level window makes it the active one, as ShowWindow
  // does (the model records that right after telling the view).
  top->show();
  top->raise();
  top->activateWindow();
  if (HWND focus = focus_window()) refresh_focus(focus);
}

void qt_view::destroy(HWND window) {
  auto it = mirrors_.find(window);
  if (it == mirrors_.end()) return;
  QWidget* w = it->second.widget.data();
  mirrors_.erase(it);
  stale_lists_.erase(window);
  delete w;
}

void qt_view::fill_rect(HWND window, const RECT& rect, COLORREF colour) {
  client_surface* s = surface_of(window);
  if (!s) return;
  QRect r = rect_of(rect);
  QPainter(&s->image).fillRect(r, colour_of(colour));
  s->update(r);
}

void qt_view::draw_text(HWND window, const RECT& cell, const RECT& clip, std::string_view line, COLORREF colour,
                        COLORREF background, bool opaque) {
  client_surface* s = surface_of(window);
  if (!s) return;
  QRect shown = rect_of(clip);
  QPainter painter(&s->image);
  painter.setClipRect(shown);
  if (opaque) painter.fillRect(shown, colour_of(background));
  painter.setFont(system_font_);
  painter.setPen(colour_of(colour));
  painter.drawText(QPoint(cell.left, cell.top + QFontMetrics(system_font_).ascent()), from_sjis(line));
  s->update(shown);
}

void qt_view::wait_for_input(std::optional<int64_t> deadline_ms) {
  for (HWND list : stale_lists_) refresh_items(list);
  stale_lists_.clear();
  // Whatever Qt has ready first: it may be the input the program waits for.
  QApplication::processEvents(QEventLoop::AllEvents);
  if (messages_pending()) return;
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  if (deadline_ms) {
    int64_t left = *deadline_ms - current_clock().monotonic_ms();
    if (left <= 0) return;
    wake.start(static_cast<int>(std::min<int64_t>(left, 24LL * 3600 * 1000)));
  }
  // Sleeps until an event of the window system, a posted event or the
  // timer arrives: no polling.
  QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace platform::qt
