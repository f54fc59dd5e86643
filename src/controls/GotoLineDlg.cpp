// The go-to-line dialog: one line number from 1 to 10000, checked when OK is pressed.
#include "controls/GotoLineDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "base/FieldCheck.h"
#include "base/OkCancelButtons.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {

CGotoLineDlg::CGotoLineDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::number(res::IDD_GOTO_LINE));
  setWindowTitle(QString::fromUtf8(str::kGotoLineTitle));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromUtf8(str::kGotoLinePrompt), this);
  m_edit = new QLineEdit(this);
  m_edit->setObjectName(QString::number(res::IDC_LINE_NUMBER));
  // Digits only, as a number field accepts; the range is checked on OK.
  m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), m_edit));
  label->setBuddy(m_edit);
  QDialogButtonBox* buttons = MakeOkCancelButtons(this);
  layout->addWidget(label);
  layout->addWidget(m_edit);
  layout->addWidget(buttons);
  setFixedSize(sizeHint());
}

void CGotoLineDlg::showEvent(QShowEvent* event) {
  m_edit->setText(QString::number(m_nLine));
  m_edit->selectAll();
  m_edit->setFocus();
  QDialog::showEvent(event);
}

void CGotoLineDlg::accept() {
  bool ok = false;
  const qulonglong value = m_edit->text().toULongLong(&ok);
  if (!ok || value < kMinLine || value > kMaxLine) {
    RefuseField(m_edit, QString::fromUtf8(str::kIntegerRange).arg(kMinLine).arg(kMaxLine));
    return;
  }
  m_nLine = static_cast<unsigned>(value);
  QDialog::accept();
}

}  // namespace corvella
