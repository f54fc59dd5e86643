// The open and save-as file dialog with the encoding, newline and auto-detect controls, and the File Open command built on it.
#include "editor/OpenFileDlg.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTreeView>

#include "base/MessageBox.h"
#include "base/Settings.h"
#include "res/Strings.h"
#include "text/DocumentFiles.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

template <std::size_t N>
QComboBox* MakeList(QWidget* parent, int id, const char* const (&names)[N]) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::number(id));
  for (const char* name : names) list->addItem(Text(name));
  return list;
}

// A code read from the Settings is not range-checked; the list shows such a
// code as its first entry rather than as no entry at all.
int ListIndex(const QComboBox* list, int code) { return code >= 0 && code < list->count() ? code : 0; }

}  // namespace

COpenFileDlg::COpenFileDlg(bool bOpenFileDialog, const QString& defaultExtension, const QString& fileName,
                           const FileDlgOptions& options, const QString& filter, QWidget* parent)
    : QFileDialog(parent), m_bOpen(bOpenFileDialog), m_options(options) {
  // First of all: the widget-based dialog is the one that can hold our controls.
  setOption(QFileDialog::DontUseNativeDialog);
  // The confirmation is ours, in Japanese, through the message box helper.
  setOption(QFileDialog::DontConfirmOverwrite);
  setWindowTitle(Text(m_bOpen ? str::kOpenDlgTitle : str::kSaveAsDlgTitle));
  setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  if (m_bOpen) {
    setFileMode(options.allowMultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  } else {
    setFileMode(QFileDialog::AnyFile);
  }
  setLabelText(QFileDialog::LookIn, Text(str::kFileDlgLookIn));
  setLabelText(QFileDialog::FileName, Text(str::kFileDlgFileName));
  setLabelText(QFileDialog::FileType, Text(str::kFileDlgFileType));
  setLabelText(QFileDialog::Accept, Text(m_bOpen ? str::kFileDlgOpen : str::kFileDlgSave));
  setLabelText(QFileDialog::Reject, Text(str::kFileDlgCancel));
  // Without a buddy these two labels would show their "&" instead of a mnemonic.
  for (const auto& [label, field] :
       {std::pair{"lookInLabel", "lookInCombo"}, std::pair{"fileTypeLabel", "fileTypeCombo"}}) {
    if (auto* l = findChild<QLabel*>(label)) l->setBuddy(findChild<QWidget*>(field));
  }

  QStringList filters;
  for (const std::string& f : FileDialogNameFilters(filter.toStdString())) filters << QString::fromStdString(f);
  if (!filters.isEmpty()) setNameFilters(filters);
  setDefaultSuffix(defaultExtension);
  // Room for every column of the detail view: Japanese dates and sizes are
  // wider than Qt's default layout expects.
  resize(760, 460);
  if (auto* details = findChild<QTreeView*>(QStringLiteral("treeView"))) {
    const QFontMetrics metrics(details->font());
    details->header()->resizeSection(0, metrics.horizontalAdvance(QLatin1Char('M')) * 22);
    details->header()->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("9,999.9 KB")) + 16);
    details->header()->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("MMMMMMMM")) + 16);
    details->header()->resizeSection(3, metrics.horizontalAdvance(QStringLiteral("2026/12/31 23:59")) + 16);
  }
  setDirectory(QDir::currentPath());
  if (!fileName.isEmpty()) selectFile(fileName);

  // Templates 135 and 136: rows below the file-type row of the dialog's grid.
  auto* grid = qobject_cast<QGridLayout*>(layout());
  int row = grid ? grid->rowCount() : 0;
  auto addRow = [&](const char* caption, QComboBox* list) {
    auto* label = new QLabel(Text(caption), this);
    label->setBuddy(list);
    if (grid) {
      grid->addWidget(label, row, 0);
      grid->addWidget(list, row, 1);
    }
    ++row;
  };
  m_kanjiCode = MakeList(this, kIdcKanjiCode, str::kKanjiCodeNames);
  addRow(str::kKanjiCodeLabel, m_kanjiCode);
  if (m_bOpen) {
    m_autoDetect = new QCheckBox(Text(str::kAutoDetectCheck), this);
    m_autoDetect->setObjectName(QString::number(kIdcAutoDetect));
    if (grid) grid->addWidget(m_autoDetect, row++, 1);
  } else {
    m_newlineCode = MakeList(this, kIdcNewlineCode, str::kNewlineCodeNames);
    addRow(str::kNewlineCodeLabel, m_newlineCode);
  }
}

QString COpenFileDlg::GetPathText() const {
  if (m_paths.size() == 1) return m_paths.first();
  return m_paths.isEmpty() ? QString() : QFileInfo(m_paths.first()).absolutePath();
}

void COpenFileDlg::OnInitDialog() {
  m_kanjiCode->setCurrentIndex(ListIndex(m_kanjiCode, m_nKanjiCode));
  if (m_autoDetect) m_autoDetect->setChecked(m_bAutoDetect);
  if (m_newlineCode) m_newlineCode->setCurrentIndex(ListIndex(m_newlineCode, m_nCrLf));
}

void COpenFileDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) OnInitDialog();
  QFileDialog::showEvent(event);
}

bool COpenFileDlg::FileNameOk(const QStringList& files) {
  if (files.isEmpty() || QFileInfo(files.first()).isDir()) return true;  // the dialog itself moves into a folder
  if (m_bOpen) {
    for (const QString& file : files) {
      if (QFileInfo::exists(file)) continue;
      ShowMessage(this, Text(str::kFileDlgNotFound).arg(QFileInfo(file).fileName()), MsgIcon::Exclamation);
      return false;
    }
    return true;
  }
  const QFileInfo info(files.first());
  if (m_options.pathMustExist && !QFileInfo(info.absolutePath()).isDir()) {
    ShowMessage(this, Text(str::kFileDlgPathNotFound).arg(QDir::toNativeSeparators(info.filePath())),
                MsgIcon::Exclamation);
    return false;
  }
  if (m_options.overwritePrompt && info.exists()) {
    return ShowMessage(this, Text(str::kFileDlgOverwrite).arg(info.fileName()), MsgIcon::Exclamation,
                       MsgButtons::YesNo) == MsgResult::Yes;
  }
  return true;
}

void COpenFileDlg::accept() {
  if (FileNameOk(selectedFiles())) QFileDialog::accept();
}

void COpenFileDlg::done(int result) {
  if (result == QDialog::Accepted) {
    m_nKanjiCode = m_kanjiCode->currentIndex();
    if (m_autoDetect) m_bAutoDetect = m_autoDetect->isChecked();
    if (m_newlineCode) m_nCrLf = m_newlineCode->currentIndex();
    m_paths = selectedFiles();
  }
  QFileDialog::done(result);
}

bool ExecFileDialog(COpenFileDlg& dialog) { return dialog.exec() == QDialog::Accepted; }

QString DirectoryFolder(const Settings& settings) {
  const QString directory = QString::fromStdString(settings.Directory);
  if (directory.isEmpty()) return directory;
  const QFileInfo info(directory);
  return info.exists() && !info.isDir() ? info.absolutePath() : directory;
}

int OnFileOpen(QWidget* parent, Settings& settings, const std::function<bool(const QString& path)>& openDocumentFile,
               const FileDialogRunner& run) {
  COpenFileDlg dialog(true, QStringLiteral("pl"), QString(),
                      {.overwritePrompt = true, .hideReadOnly = true, .allowMultiSelect = true, .fileMustExist = true},
                      Text(str::kFileFilter), parent);
  dialog.m_bAutoDetect = settings.KanjiConvert;
  dialog.m_nKanjiCode = settings.KanjiCode;
  if (const QString folder = DirectoryFolder(settings); !folder.isEmpty() && QFileInfo(folder).isDir()) {
    dialog.setDirectory(folder);
  }
  if (!run(dialog)) return 0;

  // The load reads these two values: the choice holds for this Open only.
  struct Lent {
    Settings& settings;
    const bool kanjiConvert;
    const int kanjiCode;
    ~Lent() {
      settings.KanjiConvert = kanjiConvert;
      settings.KanjiCode = kanjiCode;
    }
  } lent{settings, settings.KanjiConvert, settings.KanjiCode};
  settings.KanjiConvert = dialog.m_bAutoDetect;
  settings.KanjiCode = dialog.m_nKanjiCode;

  int opened = 0;
  const std::string pathText = dialog.GetPathText().toStdString();
  for (const QString& path : dialog.GetPathNames()) {
    if (!openDocumentFile(path)) continue;
    ++opened;
    settings.Directory = pathText;
  }
  return opened;
}

}  // namespace corvella
