// The shortcut dialog: the program's entries on the desktop, in the applications menu and in the file manager's scripts.
#include "system/ShortcutDlg.h"

#include <utility>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QVBoxLayout>

#include "base/MessageBox.h"
#include "base/OkCancelButtons.h"
#include "platform/FileNames.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "system/DesktopFiles.h"
#include "system/Shortcuts.h"

namespace corvella {

CShortcutDlg::CShortcutDlg(QString programPath, QWidget* parent)
    : QDialog(parent),
      m_program(std::move(programPath)),
      m_icon(QString::fromUtf8(kDefaultProgramIcon.data(), kDefaultProgramIcon.size())),
      m_places(CurrentXdgPlaces()),
      m_paths(ShortcutPaths(m_places)) {
  setObjectName(QString::number(res::IDD_SHORTCUT));
  setWindowTitle(QString::fromUtf8(str::kShortcutTitle));
  auto* layout = new QVBoxLayout(this);
  const std::array captions{str::kShortcutDesktop, str::kShortcutPrograms, str::kShortcutSendTo};
  const std::array ids{res::IDC_SHORTCUT_DESKTOP, res::IDC_SHORTCUT_PROGRAMS, res::IDC_SHORTCUT_SENDTO};
  for (std::size_t i = 0; i < m_boxes.size(); ++i) {
    m_boxes[i] = new QCheckBox(QString::fromUtf8(captions[i]), this);
    m_boxes[i]->setObjectName(QString::number(ids[i]));
    m_boxes[i]->setChecked(FileExists(m_paths[i]));
    layout->addWidget(m_boxes[i]);
  }
  layout->addSpacing(8);
  layout->addWidget(MakeOkCancelButtons(this));
  setFixedSize(sizeHint());
}

void CShortcutDlg::accept() {
  const std::string program = QFile::encodeName(m_program).toStdString();
  const std::string icon = QFile::encodeName(m_icon).toStdString();
  for (std::size_t i = 0; i < m_boxes.size(); ++i) {
    if (m_boxes[i]->isChecked()) {
      if (const int error = WriteShortcut(kShortcutPlaces[i], m_paths[i], program, icon, m_places)) {
        ShowMessage(this,
                    QString::fromUtf8(str::kShortcutNotMade)
                        .arg(QFile::decodeName(QByteArray::fromStdString(m_paths[i])), SystemErrorReason(error)),
                    MsgIcon::Exclamation);
      }
    } else {
      RemoveIfExists(m_paths[i]);
    }
  }
  QDialog::accept();
}

}  // namespace corvella
