// Japanese texts in labels broken only where the program means them to be: at their own line ends and after 、 or 。.
#include "base/LabelText.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStringList>

namespace corvella {
namespace {

bool BreaksAfter(QChar c) { return c == QChar(0x3001) || c == QChar(0x3002); }  // 、 。

// Room for the icon, the spacing and the box's margins beside the text.
constexpr int kMessageBoxChrome = 140;

QString BreakLine(QString line, const QFontMetrics& metrics, int maxWidth) {
  QStringList parts;
  while (metrics.horizontalAdvance(line) > maxWidth) {
    qsizetype cut = -1;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
      if (!BreaksAfter(line[i])) continue;
      if (cut >= 0 && metrics.horizontalAdvance(line.left(i + 1)) > maxWidth) break;
      cut = i + 1;
    }
    if (cut < 0) break;
    parts << line.left(cut);
    line = line.mid(cut);
  }
  parts << line;
  return parts.join(QLatin1Char('\n'));
}

QSize ScreenSize(const QWidget* widget) {
  const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

}  // namespace

QString BreakAtPunctuation(const QString& text, const QFontMetrics& metrics, int maxWidth) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) line = BreakLine(line, metrics, maxWidth);
  return lines.join(QLatin1Char('\n'));
}

void FitLabelText(QLabel* label, const QString& text, int maxWidth) {
  if (maxWidth <= 0) maxWidth = ScreenSize(label).width() * 3 / 4;
  const QFontMetrics metrics = label->fontMetrics();
  const QString broken = BreakAtPunctuation(text, metrics, maxWidth);
  int widest = 0;
  for (const QString& line : broken.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  label->setWordWrap(true);
  label->setText(broken);
  // A pixel or two more than the text: a label wraps a line as wide as itself.
  label->setMinimumWidth(std::min(widest + 2, maxWidth));
}

int MessageTextWidthLimit(const QLabel* label) {
  // QMessageBox never grows wider than this, whatever its text asks.
  const int screen = ScreenSize(label).width();
  const int boxLimit = screen <= 1024 ? screen : std::min(screen - 480, 1000);
  return std::max(boxLimit - kMessageBoxChrome, 200);
}

}  // namespace corvella
