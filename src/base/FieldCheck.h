// The checks a dialog makes of its fields on OK: a refused field gets a message and the focus, and the dialog stays open.
#pragma once

#include <QString>

class QWidget;

namespace corvella {

// Characters as the user counts them: a surrogate pair is one.
qsizetype CharCount(const QString& text);

// Shows `message` with the exclamation icon, then gives `field` the focus
// with its text selected, so that typing replaces it.
void RefuseField(QWidget* field, const QString& message);

// False, after refusing `field` with the length message, when `text` has
// more than `max` characters.
bool CheckMaxChars(QWidget* field, const QString& text, int max);

}  // namespace corvella
