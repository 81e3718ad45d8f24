// Painting: update regions, device contexts, brushes, fills and text. What
// is drawn goes to the view, which keeps each window's client area as a
// persistent surface.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "platform/window_store.h"

using namespace platform;

namespace {

constexpr uintptr_t stock_base = 0x100;
constexpr int stock_count = 20;
constexpr COLORREF white = 0xFFFFFF;

HDC new_dc(HWND hwnd, bool from_paint, const RECT& clip) {
  uintptr_t value = new_handle_value();
  dc_record dc;
  dc.hwnd = hwnd;
  dc.from_paint = from_paint;
  dc.clip = clip;
  dc.brush = reinterpret_cast<HGDIOBJ>(stock_base + WHITE_BRUSH);
  store().dcs[value] = dc;
  return reinterpret_cast<HDC>(value);
}

dc_record* find_dc(HDC dc) {
  auto& dcs = store().dcs;
  auto it = dcs.find(reinterpret_cast<uintptr_t>(dc));
  return it == dcs.end() ? nullptr : &it->second;
}

bool is_stock(HGDIOBJ object) {
  auto v = reinterpret_cast<uintptr_t>(object);
  return v >= stock_base && v < stock_base + stock_count;
}

// The colour a brush paints with; none for the null brush or a bad handle.
// Small values are system colour brushes ((HBRUSH)(COLOR_WINDOW + 1)).
std::optional<COLORREF> brush_colour(HGDIOBJ brush) {
  auto v = reinterpret_cast<uintptr_t>(brush);
  if (v > 0 && v <= 31) return v - 1 == COLOR_WINDOW ? white : COLORREF{0xC0C0C0};
  if (is_stock(brush)) {
    switch (v - stock_base) {
      case WHITE_BRUSH: return white;
      case LTGRAY_BRUSH: return COLORREF{0xC0C0C0};
      case GRAY_BRUSH: return COLORREF{0x808080};
      case DKGRAY_BRUSH: return COLORREF{0x404040};
      case BLACK_BRUSH: return COLORREF{0};
      default: return std::nullopt;
    }
  }
  auto& brushes = store().brushes;
  auto it = brushes.find(v);
  if (it == brushes.end()) return std::nullopt;
  return it->second.colour;
}

bool is_brush(HGDIOBJ object) {
  auto v = reinterpret_cast<uintptr_t>(object);
  if (is_stock(object)) return v - stock_base <= NULL_BRUSH;
  return store().brushes.count(v) != 0;
}

RECT intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT union_of(const RECT& a, const RECT& b) {
  if (empty(a)) return b;
  if (empty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

void fill(const dc_record& dc, const RECT& r, COLORREF colour) {
  RECT clipped = intersect(r, dc.clip);
  if (empty(clipped) || !find_window(dc.hwnd)) return;
  current_view().fill_rect(dc.hwnd, clipped, colour);
}

std::string expand_tabs(std::string_view line) {
  std::string out;
  size_t column = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\t') {
      size_t next = (column / 8 + 1) * 8;
      out.append(next - column, ' ');
      column = next;
    } else {
      out.push_back(line[i]);
      ++column;
    }
  }
  return out;
}

}  // namespace

namespace platform {

void release_dcs_of(HWND hwnd) {
  auto& dcs = store().dcs;
  for (auto it = dcs.begin(); it != dcs.end();) {
    if (it->second.hwnd == hwnd)
      it = dcs.erase(it);
    else
      ++it;
  }
}

}  // namespace platform

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  window_record* w = find_window(hwnd);
  if (!w || !ps) return nullptr;
  std::memset(ps, 0, sizeof *ps);
  RECT client = client_rect_of(*w);
  RECT update = w->needs_paint ? intersect(w->update, client) : RECT{0, 0, 0, 0};
  bool erase = w->needs_erase;
  w->needs_paint = false;
  w->needs_erase = false;
  w->update = RECT{0, 0, 0, 0};
  HDC dc = new_dc(hwnd, true, update);
  ps->hdc = dc;
  ps->rcPaint = update;
  ps->fErase = FALSE;
  if (erase && !empty(update)) {
    ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  store().dcs.erase(reinterpret_cast<uintptr_t>(ps->hdc));
  return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return nullptr;
  return new_dc(hwnd, false, client_rect_of(*w));
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  dc_record* d = find_dc(dc);
  if (!d || d->from_paint) return 0;
  store().dcs.erase(reinterpret_cast<uintptr_t>(dc));
  return 1;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (auto& [value, w] : store().windows) {
      if (!w->parent) InvalidateRect(w->handle, nullptr, erase);
    }
    return TRUE;
  }
  window_record* w = find_window(hwnd);
  if (!w) return FALSE;
  RECT client = client_rect_of(*w);
  RECT r = rect ? intersect(*rect, client) : client;
  if (empty(r)) return TRUE;
  w->update = w->needs_paint ? union_of(w->update, r) : r;
  w->needs_paint = true;
  if (erase) w->needs_erase = true;
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT*) {
  window_record* w = find_window(hwnd);
  if (!w) return FALSE;
  w->needs_paint = false;
  w->needs_erase = false;
  w->update = RECT{0, 0, 0, 0};
  return TRUE;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int index) {
  if (index < 0 || index >= stock_count) return nullptr;
  return reinterpret_cast<HGDIOBJ>(stock_base + static_cast<uintptr_t>(index));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
  uintptr_t value = new_handle_value();
  store().brushes[value] = brush_record{colour & 0xFFFFFF};
  return reinterpret_cast<HBRUSH>(value);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  dc_record* d = find_dc(dc);
  if (!d || !object) return nullptr;
  if (is_brush(object)) {
    HGDIOBJ old = d->brush;
    d->brush = object;
    return old;
  }
  // Pens and fonts are accepted and change nothing here.
  if (is_stock(object)) return object;
  return nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  if (!object) return FALSE;
  if (is_stock(object)) return TRUE;
  return store().brushes.erase(reinterpret_cast<uintptr_t>(object)) ? TRUE : FALSE;
}

BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  dc_record* d = find_dc(dc);
  if (!d) return FALSE;
  RECT r{x, y, x + width, y + height};
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  switch (rop) {
    case PATCOPY: {
      std::optional<COLORREF> colour = brush_colour(d->brush);
      if (colour) fill(*d, r, *colour);
      return TRUE;
    }
    case WHITENESS: fill(*d, r, white); return TRUE;
    case BLACKNESS: fill(*d, r, 0); return TRUE;
  }
  return FALSE;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  dc_record* d = find_dc(dc);
  if (!d || !rect) return 0;
  std::optional<COLORREF> colour = brush_colour(brush);
  if (!colour) return 0;
  fill(*d, *rect, *colour);
  return 1;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour) {
  dc_record* d = find_dc(dc);
  if (!d) return CLR_INVALID;
  COLORREF old = d->text_colour;
  d->text_colour = colour & 0xFFFFFF;
  return old;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour) {
  dc_record* d = find_dc(dc);
  if (!d) return CLR_INVALID;
  COLORREF old = d->background_colour;
  d->background_colour = colour & 0xFFFFFF;
  return old;
}

int WINAPI SetBkMode(HDC dc, int mode) {
  dc_record* d = find_dc(dc);
  if (!d || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  int old = d->background_mode;
  d->background_mode = mode;
  return old;
}

int WINAPI DrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format) {
  dc_record* d = find_dc(dc);
  if (!d || !text || !rect) return 0;
  std::string_view all = length < 0 ? std::string_view(text) : std::string_view(text, length);
  view& v = current_view();
  int line_height = v.system_font().height;

  std::vector<std::string> lines;
  if (format & DT_SINGLELINE) {
    std::string one;
    for (char c : all) {
      if (c != '\r' && c != '\n') one.push_back(c);
    }
    lines.push_back(one);
  } else {
    size_t start = 0;
    while (start <= all.size()) {
      size_t end = all.find('\n', start);
      std::string_view line =
          all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      // A final line feed ends the last line; it does not start an empty one.
      if (end == std::string_view::npos && line.empty() && !lines.empty()) break;
      lines.emplace_back(line);
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }
  if (format & DT_EXPANDTABS) {
    for (auto& line : lines) line = expand_tabs(line);
  }

  int widest = 0;
  for (const auto& line : lines) widest = std::max(widest, v.text_width(line));
  int height = static_cast<int>(lines.size()) * line_height;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }

  int top = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = rect->top + (rect->bottom - rect->top - line_height) / 2;
    if (format & DT_BOTTOM) top = rect->bottom - line_height;
  }
  RECT clip = (format & DT_NOCLIP) ? d->clip : intersect(d->clip, *rect);
  for (size_t i = 0; i < lines.size(); ++i) {
    int width = v.text_width(lines[i]);
    int left = rect->left;
    if (format & DT_CENTER) left = rect->left + (rect->right - rect->left - width) / 2;
    if (format & DT_RIGHT) left = rect->right - width;
    RECT cell{left, top + static_cast<LONG>(i) * line_height, left + width,
              top + static_cast<LONG>(i + 1) * line_height};
    RECT shown = intersect(cell, clip);
    if (empty(shown) || lines[i].empty()) continue;
    if (!find_window(d->hwnd)) return 0;
    v.draw_text(d->hwnd, cell, shown, lines[i], d->text_colour, d->background_colour,
                d->background_mode == OPAQUE);
  }
  return height;
}
