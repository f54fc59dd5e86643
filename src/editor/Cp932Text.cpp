// Crossing between the editor's Shift_JIS bytes and Qt's Unicode strings.
#include "editor/Cp932Text.h"

#include "text/Newlines.h"
#include "text/SjisUtf8.h"

namespace corvella {

QString SjisToQString(std::string_view bytes) {
  const ConvertedText utf8 = SjisToUtf8(bytes);
  return QString::fromUtf8(utf8.text.data(), static_cast<qsizetype>(utf8.text.size()));
}

std::optional<std::string> CharToSjis(char32_t ch) {
  const QString one = QString::fromUcs4(&ch, 1);
  const QByteArray utf8 = one.toUtf8();
  ConvertedText sjis = Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  // A character that reads back as another one (WAVE DASH as FULLWIDTH
  // TILDE) is still taken; only one that became the replacement is refused.
  if (sjis.changed && sjis.text == "?" && ch != U'?') return std::nullopt;
  if (sjis.text.empty()) return std::nullopt;
  return std::move(sjis.text);
}

std::string QStringToSjis(const QString& text, std::size_t* replaced) {
  const QByteArray utf8 = text.toUtf8();
  ConvertedText sjis = Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  if (replaced) *replaced = sjis.changed;
  return NormalizeNewlines(sjis.text);
}

QString SjisToOutsideText(std::string_view bytes) {
  QString text = SjisToQString(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace corvella
