// The name under which the current script is added to the templates.
#include "app/TemplateNameDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "base/OkCancelButtons.h"
#include "res/Strings.h"

namespace corvella {

CTemplateNameDlg::CTemplateNameDlg(const QString& proposed, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(str::kTemplateNameTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(str::kTemplateNamePrompt), this));
  m_edit = new QLineEdit(proposed, this);
  m_edit->setMaxLength(255);
  m_edit->selectAll();
  layout->addWidget(m_edit);
  layout->addWidget(MakeOkCancelButtons(this));
}

QString CTemplateNameDlg::Name() const { return m_edit->text(); }

}  // namespace corvella
