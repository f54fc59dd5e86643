// The open and save-as file dialog with the encoding, newline and auto-detect controls, and the File Open command built on it.
#pragma once

#include <functional>

#include <QFileDialog>
#include <QStringList>

#include "res/resource.h"

class QCheckBox;
class QComboBox;

namespace corvella {

struct Settings;

// What the caller asks of the dialog.
struct FileDlgOptions {
  bool overwritePrompt = false;   // replacing an existing file is confirmed
  bool hideReadOnly = false;      // no read-only box (the dialog never shows one)
  bool allowMultiSelect = false;  // Open: several files at once
  bool pathMustExist = false;     // the folder of the name must exist
  bool fileMustExist = false;     // Open: only existing files can be chosen
};

class COpenFileDlg : public QFileDialog {
  Q_OBJECT

 public:
  // The extra controls (objectName is the id) and the templates holding them.
  static constexpr int kIdcAutoDetect = res::IDC_AUTO_DETECT;
  static constexpr int kIdcNewlineCode = res::IDC_NEWLINE_CODE;
  static constexpr int kIdcKanjiCode = res::IDC_KANJI_CODE;
  static constexpr int kIddOpen = res::IDD_FILE_OPEN_EXT;
  static constexpr int kIddSaveAs = res::IDD_FILE_SAVE_AS_EXT;

  // `filter` is a "caption|patterns|...||" string; `defaultExtension` has no
  // dot. The dialog starts in the current directory unless `fileName` names
  // another folder.
  COpenFileDlg(bool bOpenFileDialog, const QString& defaultExtension, const QString& fileName,
               const FileDlgOptions& options, const QString& filter, QWidget* parent = nullptr);

  // Set by the caller before the dialog is shown; read back from the
  // controls only when the user confirms a name.
  bool m_bAutoDetect = false;  // Open only
  int m_nCrLf = 0;             // Save As only
  int m_nKanjiCode = 0;
  const bool m_bOpen;

  const FileDlgOptions& Options() const { return m_options; }
  int TemplateId() const { return m_bOpen ? kIddOpen : kIddSaveAs; }

  // After OK: the chosen files in the dialog's order, the first of them, and
  // the dialog's path text (the one full name, or the folder of several).
  const QStringList& GetPathNames() const { return m_paths; }
  QString GetPathName() const { return m_paths.isEmpty() ? QString() : m_paths.first(); }
  QString GetPathText() const;

  QCheckBox* AutoDetectBox() const { return m_autoDetect; }  // null for Save As
  QComboBox* KanjiCodeList() const { return m_kanjiCode; }
  QComboBox* NewlineCodeList() const { return m_newlineCode; }  // null for Open

  // Shows the members in the controls; runs each time the dialog is shown.
  void OnInitDialog();

 protected:
  // The checks a name must pass before the dialog closes: an Open name must
  // exist; a Save As folder must exist and replacing a file is confirmed.
  void accept() override;
  // Reads the controls into the members when the result is OK.
  void done(int result) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool FileNameOk(const QStringList& files);

  FileDlgOptions m_options;
  QCheckBox* m_autoDetect = nullptr;
  QComboBox* m_kanjiCode = nullptr;
  QComboBox* m_newlineCode = nullptr;
  QStringList m_paths;
};

// Runs a file dialog modally; true when the user confirmed. Tests put their
// own in its place to drive the dialog without blocking.
using FileDialogRunner = std::function<bool(COpenFileDlg& dialog)>;
bool ExecFileDialog(COpenFileDlg& dialog);

// File Open (command 57601). Lends the dialog's auto-detect and encoding
// choice to the Settings while each chosen file goes through
// `openDocumentFile` (true when the document opened), then puts the old values
// back. After each file that opened, `Directory` holds the dialog's path
// text. The dialog starts in `Directory` (its folder, when it names a file).
// Answers how many files opened.
int OnFileOpen(QWidget* parent, Settings& settings, const std::function<bool(const QString& path)>& openDocumentFile,
               const FileDialogRunner& run = ExecFileDialog);

// The folder `Directory` stands for: itself, or the folder of the file it
// names (a File Open of one file stores that file's full name).
QString DirectoryFolder(const Settings& settings);

}  // namespace corvella
