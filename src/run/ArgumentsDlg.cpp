// The arguments dialog: the arguments of a run typed or taken from the last five used.
#include "run/ArgumentsDlg.h"

#include <functional>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "base/FieldCheck.h"
#include "base/OkCancelButtons.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

// A combo box that is filled from the history just before its list opens.
class HistoryCombo : public QComboBox {
 public:
  HistoryCombo(std::function<void()> beforeDropDown, QWidget* parent)
      : QComboBox(parent), m_beforeDropDown(std::move(beforeDropDown)) {}
  void showPopup() override {
    m_beforeDropDown();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_beforeDropDown;
};

}  // namespace

CArgumentsDlg::CArgumentsDlg(Profile& profile, QWidget* parent) : QDialog(parent), m_profile(profile) {
  setObjectName(QString::number(res::IDD_ARGUMENTS));
  setWindowTitle(QString::fromUtf8(str::kArgumentsTitle));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QString::fromUtf8(str::kArgumentsPrompt), this);
  m_combo = new HistoryCombo([this] { FillList(); }, this);
  m_combo->setObjectName(QString::number(res::IDC_ARGUMENTS));
  m_combo->setEditable(true);
  m_combo->setInsertPolicy(QComboBox::NoInsert);
  m_combo->setMinimumWidth(320);
  label->setBuddy(m_combo);
  QDialogButtonBox* buttons = MakeOkCancelButtons(this);
  layout->addWidget(label);
  layout->addWidget(m_combo);
  layout->addWidget(buttons);
  m_history.Load(m_profile);
}

CArgumentsDlg::~CArgumentsDlg() { m_history.Save(m_profile); }

// The text starts selected, as a dialog's first field does: typing replaces
// the last arguments, an arrow key keeps them for changing.
void CArgumentsDlg::showEvent(QShowEvent* event) {
  m_combo->setEditText(m_strArgs);
  if (QLineEdit* field = m_combo->lineEdit()) field->selectAll();
  QDialog::showEvent(event);
}

// The list is made anew each time it opens; what was typed stays in the field.
void CArgumentsDlg::FillList() {
  const std::vector<std::string> shown = m_history.Shown();
  if (shown.empty()) return;
  m_strArgs = m_combo->currentText();
  m_combo->clear();
  m_combo->setEditText(m_strArgs);
  for (const std::string& entry : shown) m_combo->addItem(QString::fromStdString(entry));
  m_combo->setCurrentIndex(-1);
  m_combo->setEditText(m_strArgs);
}

void CArgumentsDlg::accept() {
  const QString text = m_combo->currentText();
  if (!CheckMaxChars(m_combo, text, kMaxChars)) return;
  m_strArgs = text;
  m_history.Add(m_strArgs.toStdString());
  QDialog::accept();
}

}  // namespace corvella
