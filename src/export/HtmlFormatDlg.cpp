// The HTML colour dialog: labels over their fields in one narrow column, OK and Cancel below.
#include "export/HtmlFormatDlg.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QValidator>
#include <QVBoxLayout>

#include "editor/Cp932Text.h"
#include "export/HtmlExport.h"
#include "res/Strings.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::size_t Cp932Length(const QString& text) { return QStringToSjis(text).size(); }

// Keeps typing and pasting within a byte limit of code page 932, the way a
// limited edit control does: what does not fit of an insertion is dropped.
// A longer text put in by the program may still be shortened or edited, as
// long as it does not grow; OK refuses it.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(std::size_t limit, QLineEdit* edit) : QValidator(edit), limit_(limit) {
    QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      previousChars_ = text.size();
      previousBytes_ = Cp932Length(text);
    });
  }

  State validate(QString& input, int& pos) const override {
    const std::size_t allowed = std::max(limit_, previousBytes_);
    std::size_t bytes = Cp932Length(input);
    qsizetype inserted = input.size() - previousChars_;
    // The inserted characters end at the cursor; drop them from the back.
    while (bytes > allowed && inserted > 0 && pos > 0) {
      int n = 1;
      if (pos >= 2 && input.at(pos - 1).isLowSurrogate() && input.at(pos - 2).isHighSurrogate()) n = 2;
      input.remove(pos - n, n);
      pos -= n;
      inserted -= n;
      bytes = Cp932Length(input);
    }
    return bytes <= allowed ? Acceptable : Invalid;
  }

 private:
  std::size_t limit_;
  qsizetype previousChars_ = 0;
  std::size_t previousBytes_ = 0;
};

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, Text(str::kAppTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

CHtmlFormatDlg::CHtmlFormatDlg(QWidget* parent) : QDialog(parent), message_(ShowMessageBox) {
  setWindowTitle(Text(str::kHtmlFormatTitle));

  static constexpr const char* kLabels[5] = {str::kHtmlKeywordLabel, str::kHtmlCommentLabel,
                                             str::kHtmlStringLabel, str::kHtmlPatternLabel,
                                             str::kHtmlSubCallLabel};
  auto* column = new QVBoxLayout(this);
  for (int i = 0; i < 5; ++i) {
    auto* label = new QLabel(Text(kLabels[i]), this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("edit%1").arg(kEditKeyword + i));
    edit->setValidator(new Cp932LimitValidator(kHtmlColourMaxBytes, edit));
    label->setBuddy(edit);
    column->addWidget(label);
    column->addWidget(edit);
    if (i < 4) column->addSpacing(4);
    edits_[static_cast<std::size_t>(i)] = edit;
  }
  column->addStretch();

  auto* ok = new QPushButton(Text(str::kHtmlFormatOk), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text(str::kHtmlFormatCancel), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  column->addSpacing(6);
  column->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  // 127 x 143 dialog units: a quarter of the average character width across,
  // an eighth of the line height down.
  const QFontMetrics fm(font());
  const QSize units(127 * fm.averageCharWidth() / 4, 143 * fm.height() / 8);
  resize(units.expandedTo(minimumSizeHint()));
}

std::array<QString*, 5> CHtmlFormatDlg::Members() { return {&m_strKwd, &m_strCom, &m_strStr, &m_strReg, &m_strSub}; }

QLineEdit* CHtmlFormatDlg::Edit(int id) const {
  if (id < kEditKeyword || id > kEditSubCall) return nullptr;
  return edits_[static_cast<std::size_t>(id - kEditKeyword)];
}

bool CHtmlFormatDlg::UpdateData(bool saveAndValidate) {
  const std::array<QString*, 5> members = Members();
  for (std::size_t i = 0; i < members.size(); ++i) {
    QLineEdit* edit = edits_[i];
    if (!saveAndValidate) {
      // The limit applies to what the user types; a longer value from the
      // Settings is shown whole and refused on OK.
      const QValidator* limit = edit->validator();
      edit->setValidator(nullptr);
      edit->setText(*members[i]);
      edit->setValidator(limit);
      continue;
    }
    const QString text = edit->text();
    if (Cp932Length(text) > kHtmlColourMaxBytes) {
      message_(this, QMessageBox::Warning,
               Text(str::kStringSizePrompt).arg(static_cast<qulonglong>(kHtmlColourMaxBytes)));
      edit->setFocus();
      edit->selectAll();
      return false;
    }
    *members[i] = text;
  }
  return true;
}

void CHtmlFormatDlg::accept() {
  if (UpdateData(true)) QDialog::accept();
}

void CHtmlFormatDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    UpdateData(false);
    edits_[0]->setFocus();
    edits_[0]->selectAll();
  }
  QDialog::showEvent(event);
}

}  // namespace corvella
