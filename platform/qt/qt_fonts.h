// The fonts of the Qt view. Windows faces are found a Japanese stand-in
// through fontconfig: a Mincho ("ＭＳ 明朝") becomes the serif face that
// fontconfig picks for Japanese, everything else (the system font, "ＭＳ
// ゴシック", "MS UI Gothic", unknown faces) the Japanese sans face. Sizes
// are those of Windows at 96 dots an inch.
#pragma once

#include <QFont>

#include <string_view>

#include "platform/view.h"

namespace platform::qt {

// The font of the main window's drawing and of controls outside dialogs.
QFont system_font();
// A dialog template's font: its face in Shift-JIS and its size in points.
QFont dialog_font(std::string_view face, int points);
// The dialog base units of a font, as Windows measures them: the average
// width of the 52 Latin letters (rounded) and the line height.
font_metrics metrics_of(const QFont& font);

}  // namespace platform::qt
