#include "platform/qt/qt_fonts.h"

#include <QFontMetrics>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

#include "platform/qt/qt_text.h"

namespace platform::qt {
namespace {

constexpr int system_font_pixels = 16;

struct pattern_deleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using pattern_ptr = std::unique_ptr<FcPattern, pattern_deleter>;

// The family that fontconfig chooses for a generic family and Japanese.
QString japanese_family(const char* generic) {
  std::string request = std::string(generic) + ":lang=ja";
  pattern_ptr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(request.c_str())));
  if (!pattern) return QString::fromLatin1(generic);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  pattern_ptr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* family = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch || !family)
    return QString::fromLatin1(generic);
  return QString::fromUtf8(reinterpret_cast<const char*>(family));
}

const QString& sans_family() {
  static const QString family = japanese_family("sans-serif");
  return family;
}

const QString& serif_family() {
  static const QString family = japanese_family("serif");
  return family;
}

bool is_mincho(const QString& face) {
  return face.contains(QString::fromUtf8("明朝")) || face.contains(QLatin1String("Mincho"), Qt::CaseInsensitive);
}

QFont font_of(const QString& family, QFont::StyleHint hint, int pixels) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(pixels > 0 ? pixels : 1);
  return font;
}

}  // namespace

QFont system_font() { return font_of(sans_family(), QFont::SansSerif, system_font_pixels); }

QFont dialog_font(std::string_view face, int points) {
  // Windows asks for a cell of points * 96 / 72 pixels, rounded.
  int pixels = (points * 96 + 36) / 72;
  if (is_mincho(from_sjis(face))) return font_of(serif_family(), QFont::Serif, pixels);
  return font_of(sans_family(), QFont::SansSerif, pixels);
}

font_metrics metrics_of(const QFont& font) {
  QFontMetrics m(font);
  int letters = m.horizontalAdvance(QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  int average = (letters / 26 + 1) / 2;
  return font_metrics{average > 0 ? average : 1, m.height() > 0 ? m.height() : 1};
}

}  // namespace platform::qt
