#include "platform/qt/qt_icon.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>

#include <cstdint>

#include "platform/window_query.h"

namespace platform::qt {
namespace {

void put16(QByteArray& out, unsigned v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

QIcon icon_of(HICON icon) {
  icon_info info;
  if (!icon || !query_icon(icon, &info) || !info.image || info.image_size < 40 || info.cursor) return QIcon();
  // An icon resource image is the body of an .ico file: put the file's
  // directory of one entry in front of it and let Qt read that.
  unsigned bits = info.image[14] | (info.image[15] << 8);
  QByteArray file;
  put16(file, 0);  // reserved
  put16(file, 1);  // an icon
  put16(file, 1);  // one image
  file.append(static_cast<char>(info.width >= 256 ? 0 : info.width));
  file.append(static_cast<char>(info.height >= 256 ? 0 : info.height));
  file.append(static_cast<char>(bits < 8 ? 1 << bits : 0));
  file.append('\0');
  put16(file, 1);  // planes
  put16(file, bits);
  put32(file, static_cast<uint32_t>(info.image_size));
  put32(file, 22);  // the image follows this header
  file.append(reinterpret_cast<const char*>(info.image), static_cast<qsizetype>(info.image_size));
  QImage image;
  if (!image.loadFromData(file, "ICO")) return QIcon();
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace platform::qt
