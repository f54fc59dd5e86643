// The association dialog: whether ".pl" and ".cgi" scripts open with the program from the desktop.
#include "system/AssocDlg.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "base/OkCancelButtons.h"
#include "base/WaitCursor.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "system/Association.h"
#include "system/DesktopFiles.h"

namespace corvella {

CAssocDlg::CAssocDlg(QString programPath, QWidget* parent)
    : QDialog(parent),
      m_program(std::move(programPath)),
      m_icon(QString::fromUtf8(kDefaultDocumentIcon.data(), kDefaultDocumentIcon.size())),
      m_places(CurrentXdgPlaces()) {
  setObjectName(QString::number(res::IDD_ASSOC));
  setWindowTitle(QString::fromUtf8(str::kAssocTitle));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QString::fromUtf8(str::kAssocExtLabel), this));
  m_pl = new QCheckBox(QString::fromUtf8(str::kAssocPl), this);
  m_pl->setObjectName(QString::number(res::IDC_ASSOC_PL));
  m_cgi = new QCheckBox(QString::fromUtf8(str::kAssocCgi), this);
  m_cgi->setObjectName(QString::number(res::IDC_ASSOC_CGI));
  row->addSpacing(8);
  row->addWidget(m_pl);
  row->addSpacing(8);
  row->addWidget(m_cgi);
  row->addStretch();
  layout->addLayout(row);
  layout->addSpacing(8);
  layout->addWidget(MakeOkCancelButtons(this));
  // Wide enough for the title in the window frame, as the boxes alone are narrow.
  const int width = fontMetrics().horizontalAdvance(windowTitle()) + 140;
  setFixedSize(std::max(sizeHint().width(), width), sizeHint().height());

  const ScriptTypes types = ReadAssociation(m_places);
  m_pl->setChecked(types.pl);
  m_cgi->setChecked(types.cgi);
}

void CAssocDlg::accept() {
  {
    const WaitCursor wait;  // the MIME database is compiled anew for ".cgi"
    ApplyAssociation(m_places, {m_pl->isChecked(), m_cgi->isChecked()}, QFile::encodeName(m_program).toStdString(),
                     QFile::encodeName(m_icon).toStdString());
  }
  QDialog::accept();
}

}  // namespace corvella
