#include "platform/qt/qt_text.h"

#include "platform/sjis.h"

namespace platform::qt {

QString from_sjis(std::string_view text) { return QString::fromStdString(sjis_to_utf8(text)); }

std::string to_sjis(const QString& text) {
  return utf16_to_sjis(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

}  // namespace platform::qt
