// The checks a dialog makes of its fields on OK: a refused field gets a message and the focus, and the dialog stays open.
#include "base/FieldCheck.h"

#include <QLineEdit>
#include <QWidget>

#include "base/MessageBox.h"
#include "res/Strings.h"

namespace corvella {

qsizetype CharCount(const QString& text) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
  }
  return count;
}

void RefuseField(QWidget* field, const QString& message) {
  ShowMessage(field->window(), message, MsgIcon::Exclamation);
  QLineEdit* edit = qobject_cast<QLineEdit*>(field);
  if (!edit) edit = field->findChild<QLineEdit*>();
  if (edit) edit->selectAll();
  field->setFocus();
}

bool CheckMaxChars(QWidget* field, const QString& text, int max) {
  if (CharCount(text) <= max) return true;
  RefuseField(field, QString::fromUtf8(str::kTooLong).arg(max));
  return false;
}

}  // namespace corvella
