// Texts across the Qt boundary: the program speaks Shift-JIS (code page
// 932), Qt speaks Unicode. Conversions go through iconv's "CP932".
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace platform::qt {

// Shift-JIS to Qt; an invalid byte sequence shows as '?'.
QString from_sjis(std::string_view text);
// Qt to Shift-JIS; every UTF-16 unit of a character that Shift-JIS cannot
// hold becomes '?', as the A functions of Windows do.
std::string to_sjis(const QString& text);

}  // namespace platform::qt
