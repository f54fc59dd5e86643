// The editor font between its stored numeric form and Qt: the fixed-pitch CJK font stands in for the original faces.
#include "base/EditorFont.h"

#include <QColor>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

namespace corvella {
namespace {

constexpr const char* kCjkFamily = "IPAGothic";

// Heights are stored as the font's character height in screen pixels,
// negative as usual for a height chosen in points.
int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

}  // namespace

QFont FixedPitchFont(int points) {
  QFont font(QString::fromLatin1(kCjkFamily));
  if (!QFontInfo(font).exactMatch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(points);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QFont DefaultEditorFont() { return FixedPitchFont(14); }

QFont FontFromLogFont(const LogFont& lf) {
  QFont font = lf.faceName.empty() ? DefaultEditorFont() : QFont(QString::fromStdString(lf.faceName));
  if (lf.height < 0) font.setPixelSize(static_cast<int>(-lf.height));
  else if (lf.height > 0) font.setPixelSize(static_cast<int>(lf.height));
  if (lf.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight, 100, 900)));
  font.setItalic(lf.italic != 0);
  font.setUnderline(lf.underline != 0);
  font.setStrikeOut(lf.strikeOut != 0);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

LogFont LogFontFromFont(const QFont& font) {
  LogFont lf;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                          : static_cast<int>(font.pointSizeF() * ScreenDpi() / 72.0 + 0.5);
  lf.height = -pixels;
  lf.weight = font.weight();
  lf.italic = font.italic() ? 1 : 0;
  lf.underline = font.underline() ? 1 : 0;
  lf.strikeOut = font.strikeOut() ? 1 : 0;
  lf.charSet = 128;       // the Japanese character set
  lf.pitchAndFamily = 49; // fixed pitch, modern family
  lf.faceName = font.family().toStdString();  // cut to the stored width when saved
  return lf;
}

QColor ColorFromRef(ColorRef c, ColorRef fallback) {
  if (c == kAutomaticColor) c = fallback;
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF));
}

}  // namespace corvella
