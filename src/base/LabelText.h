// Japanese texts in labels broken only where the program means them to be: at their own line ends and after 、 or 。.
#pragma once

#include <QString>

class QFontMetrics;
class QLabel;

namespace corvella {

// `text` with a line break put after the last 、 or 。 that lets a line fit
// `maxWidth` pixels, for every line wider than that. A stretch with no such
// mark in reach stays whole (the label then breaks it where it must).
QString BreakAtPunctuation(const QString& text, const QFontMetrics& metrics, int maxWidth);

// Gives a word-wrapping label its text broken as above and a minimum width
// of its widest line, so that it never breaks inside a word. The bound is
// `maxWidth`, or without one a share of the label's screen.
void FitLabelText(QLabel* label, const QString& text, int maxWidth = 0);

// The widest a message text may make its box: what QMessageBox allows on
// `label`'s screen, less the room of the box's icon and margins.
int MessageTextWidthLimit(const QLabel* label);

}  // namespace corvella
