// Icons and cursors: LoadImageA, LoadIconA, LoadCursorA.
#include <string>

#include "platform/resource_data.h"
#include "platform/window_store.h"

using namespace platform;

namespace {

std::string key_of(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  std::string k;
  for (const char* p = name; *p; ++p) k.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(*p))));
  return k;
}

HANDLE remember(const icon_record& icon, bool shared) {
  auto& icons = store().icons;
  if (shared) {
    for (auto& [value, r] : icons) {
      if (r.module == icon.module && r.name == icon.name && r.cursor == icon.cursor)
        return reinterpret_cast<HANDLE>(value);
    }
  }
  uintptr_t value = new_handle_value();
  icons[value] = icon;
  return reinterpret_cast<HANDLE>(value);
}

// Picks the largest image of an icon group (6-byte header, 14 bytes an image).
bool load_icon_group(HINSTANCE module, LPCSTR name, icon_record* icon) {
  const unsigned char* group = nullptr;
  size_t size = 0;
  if (!resource_data_find(module, RT_GROUP_ICON, name, &group, &size) || size < 6) return false;
  size_t count = static_cast<size_t>(group[4] | (group[5] << 8));
  int best_area = -1;
  for (size_t i = 0; i < count && 6 + (i + 1) * 14 <= size; ++i) {
    const unsigned char* e = group + 6 + i * 14;
    int w = e[0] ? e[0] : 256;
    int h = e[1] ? e[1] : 256;
    WORD id = static_cast<WORD>(e[12] | (e[13] << 8));
    const unsigned char* image = nullptr;
    size_t image_size = 0;
    if (!resource_data_find(module, RT_ICON, MAKEINTRESOURCEA(id), &image, &image_size)) continue;
    if (w * h > best_area) {
      best_area = w * h;
      icon->image = image;
      icon->image_size = image_size;
      icon->width = w;
      icon->height = h;
    }
  }
  return best_area >= 0;
}

}  // namespace

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT flags) {
  if (!name) return nullptr;
  icon_record icon;
  icon.module = instance;
  icon.name = key_of(name);
  bool shared = (flags & LR_SHARED) != 0;
  switch (type) {
    case IMAGE_ICON:
      if (!instance) {
        if (!IS_INTRESOURCE(name)) return nullptr;
        return remember(icon, true);  // a system icon
      }
      if (!load_icon_group(instance, name, &icon)) {
        SetLastError(1813);
        return nullptr;
      }
      return remember(icon, shared);
    case IMAGE_CURSOR:
      // Only the system cursors exist here.
      if (instance || !IS_INTRESOURCE(name)) return nullptr;
      icon.cursor = true;
      return remember(icon, true);
  }
  return nullptr;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HCURSOR>(LoadImageA(instance, name, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}
