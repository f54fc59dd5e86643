// One open script: its file, title, modified flag and the encoding and newline codes its file is written in.
#include "editor/MyDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>

#include "platform/FileNames.h"
#include "base/MessageBox.h"
#include "base/Settings.h"
#include "base/WaitCursor.h"
#include "editor/SyntaxView.h"
#include "platform/AtomicFile.h"
#include "platform/RunCopy.h"
#include "platform/RunJournal.h"
#include "res/Strings.h"
#include "text/DocumentFiles.h"
#include "text/LoadedText.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::string FsPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A failure report shows the ordinary cursor even while a save waits.
void Report(QWidget* parent, const QString& text) {
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  ShowMessage(parent, text, MsgIcon::Exclamation);
  if (waiting) QApplication::restoreOverrideCursor();
}

void ReportFailure(QWidget* parent, const char* format, const QString& path, int error) {
  Report(parent, Text(format).arg(QDir::toNativeSeparators(path), SystemErrorReason(error), QString::number(error)));
}

}  // namespace

CMyDoc::CMyDoc(Settings& settings, QObject* parent)
    : QObject(parent), m_nCrLf(settings.CRLF), m_nKanjiCode(settings.KanjiCode), m_settings(settings) {}

void CMyDoc::SetView(CSyntaxView* view) {
  if (m_pView) disconnect(m_pView, nullptr, this, nullptr);
  m_pView = view;
  if (!view) return;
  connect(view, &EditControl::textChanged, this, [this] {
    if (!m_bLoading) SetModifiedFlag(true);
  });
}

void CMyDoc::SetPathName(const QString& path, bool addToRecentFileList) {
  m_strPathName = path;
  emit pathNameChanged(path);
  SetTitle(QString::fromStdString(GetFileTitlePart(path.toStdString())));
  if (addToRecentFileList) emit this->addToRecentFileList(path);
}

void CMyDoc::SetTitle(const QString& title) {
  if (title == m_strTitle) return;
  m_strTitle = title;
  emit titleChanged(title);
}

void CMyDoc::SetModifiedFlag(bool modified) {
  if (modified == m_bModified) return;
  m_bModified = modified;
  emit modifiedChanged(modified);
}

QWidget* CMyDoc::DialogParent() const { return m_pView ? m_pView->window() : nullptr; }

void CMyDoc::LoadIntoView(const std::string& text) {
  m_bLoading = true;
  m_pView->OnInitialUpdate(text);
  m_bLoading = false;
}

void CMyDoc::LoadRecovered(const std::string& text) {
  if (!m_pView) return;
  LoadIntoView(text);
  SetModifiedFlag(true);
}

bool CMyDoc::OnNewDocument() {
  if (!m_pView) return false;
  LoadIntoView({});
  SetModifiedFlag(false);
  return true;
}

bool CMyDoc::OnOpenDocument(const QString& path) {
  if (!m_pView) return false;
  FileReadResult file = ReadWholeFile(FsPath(path));
  switch (file.status) {
    case FileReadResult::Status::Ok: break;
    case FileReadResult::Status::TooLarge: Report(DialogParent(), Text(str::kFileTooLarge)); return false;
    case FileReadResult::Status::ShortRead:
      Report(DialogParent(), Text(str::kOpenShortRead).arg(QDir::toNativeSeparators(path)));
      return false;
    case FileReadResult::Status::Failed: ReportFailure(DialogParent(), str::kOpenFailed, path, file.error); return false;
  }

  int kanjiCode = m_nKanjiCode;
  int crLf = m_nCrLf;
  LoadedText loaded;
  try {
    loaded = DecodeLoadedText(file.bytes, m_settings.KanjiConvert, kanjiCode, crLf);
    std::string().swap(file.bytes);  // the raw bytes go as soon as the text exists
    LoadIntoView(loaded.text);
  } catch (const std::bad_alloc&) {
    LoadIntoView({});
    ReportFailure(DialogParent(), str::kOpenFailed, path, ENOMEM);
    return false;
  }
  if (m_pView->Buffer().GetTextLength() != loaded.text.size()) {  // the view would not take it all
    LoadIntoView({});
    ReportFailure(DialogParent(), str::kOpenFailed, path, ENOMEM);
    return false;
  }
  m_nKanjiCode = kanjiCode;
  m_nCrLf = crLf;
  m_bByteOrderMark = loaded.byteOrderMark;
  m_strLossyPath = loaded.writesBack ? QString() : path;
  SetModifiedFlag(false);
  // Characters replaced on a UTF-8 load have their own note, which says as much.
  if (loaded.changed != 0) {
    Report(DialogParent(),
           Text(str::kLoadReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(loaded.changed)));
  } else if (!loaded.writesBack) {
    Report(DialogParent(), Text(str::kLoadNotWrittenBack).arg(QDir::toNativeSeparators(path)));
  }
  return true;
}

bool CMyDoc::ReopenInEncoding(int kanjiCode) { return Reopen(kanjiCode, std::nullopt, str::kAskToReopenEncoding); }

bool CMyDoc::ReopenWithNewline(int crLf) { return Reopen(m_nKanjiCode, crLf, str::kAskToReopenNewline); }

bool CMyDoc::Reopen(int kanjiCode, std::optional<int> crLf, const char* question) {
  if (!m_pView) return false;
  if (m_strPathName.isEmpty()) {
    m_nKanjiCode = kanjiCode;
    if (crLf) m_nCrLf = *crLf;
    return true;
  }
  if (IsModified() &&
      ShowMessage(DialogParent(), Text(question).arg(m_strPathName), MsgIcon::Question, MsgButtons::YesNo) !=
          MsgResult::Yes) {
    return false;
  }
  const EditBuffer& buffer = m_pView->Buffer();
  const std::size_t caretLine = buffer.LineFromChar(buffer.GetSel().caret);
  const int firstVisible = m_pView->FirstVisibleLine();

  // The user names the encoding, so detection must not overrule it; the load
  // reads the document's code, which goes back should the load fail.
  struct Lent {
    bool& kanjiConvert;
    const bool was;
    ~Lent() { kanjiConvert = was; }
  } lent{m_settings.KanjiConvert, m_settings.KanjiConvert};
  m_settings.KanjiConvert = false;
  const int oldKanjiCode = m_nKanjiCode;
  m_nKanjiCode = kanjiCode;
  bool loaded;
  {
    WaitCursor wait;
    loaded = OnOpenDocument(m_strPathName);
  }
  if (!loaded) {
    m_nKanjiCode = oldKanjiCode;
    return false;
  }
  if (crLf) m_nCrLf = *crLf;

  const std::size_t caret = buffer.LineIndex(std::min(caretLine, buffer.GetLineCount() - 1));
  m_pView->SetSel(caret, caret);
  m_pView->SetFirstVisibleLine(firstVisible);
  m_pView->ScrollCaret();
  return true;
}

bool CMyDoc::OnSaveDocument(const QString& path) {
  if (!m_pView || !ConfirmLossySave(path)) return false;
  SavedText saved;
  try {
    saved = EncodeTextForSave(m_pView->Buffer().GetText(), m_nKanjiCode, m_nCrLf, m_bByteOrderMark);
  } catch (const std::bad_alloc&) {
    ReportFailure(DialogParent(), str::kSaveFailed, path, ENOMEM);
    return false;
  }
  if (const int error = RunCopy::Save(FsPath(path), saved.bytes)) {
    ReportFailure(DialogParent(), str::kSaveFailed, path, error);
    return false;
  }
  SetModifiedFlag(false);
  if (saved.changed != 0) {
    Report(DialogParent(),
           Text(str::kSaveReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(saved.changed)));
  }
  return true;
}

// The run copy is written elsewhere (SaveForRun) and asks nothing: the
// file's bytes come back after the run. A save during a run asks, as it is
// what the run's end puts back.
bool CMyDoc::ConfirmLossySave(const QString& path) {
  if (m_strLossyPath.isEmpty() || path != m_strLossyPath) return true;
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const QString question = Text(str::kAskSaveNotWrittenBack).arg(QDir::toNativeSeparators(path));
  const MsgResult answer = ShowMessage(DialogParent(), question, MsgIcon::Question, MsgButtons::YesNo);
  if (waiting) QApplication::restoreOverrideCursor();
  if (answer != MsgResult::Yes) return false;
  m_strLossyPath.clear();
  return true;
}

bool CMyDoc::DoSave(const QString& path, bool replace) {
  QString newName = path;
  const bool prompted = newName.isEmpty();
  if (prompted) {
    newName = m_strPathName;
    if (replace && newName.isEmpty()) {
      newName = QString::fromStdString(ProposedSaveAsName(m_strTitle.toStdString(), ".pl"));
    }
    if (const QString folder = DirectoryFolder(m_settings); !folder.isEmpty()) QDir::setCurrent(folder);
    COpenFileDlg dialog(false, QStringLiteral("pl"), newName,
                        {.overwritePrompt = true, .hideReadOnly = true, .pathMustExist = true},
                        Text(str::kFileFilter), DialogParent());
    dialog.m_nKanjiCode = m_nKanjiCode;
    dialog.m_nCrLf = m_nCrLf;
    if (!m_runSaveAsDialog(dialog)) return false;
    m_nKanjiCode = dialog.m_nKanjiCode;
    m_nCrLf = dialog.m_nCrLf;
    newName = dialog.GetPathName();
    m_settings.Directory = GetFolderPart(newName.toStdString());
  }

  const std::string target = FsPath(newName);
  if (FileExists(target) && IsReadOnlyFile(target)) {
    ShowMessage(DialogParent(), Text(str::kReadOnlySaveRefused), MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
  }
  // A failed write leaves an existing file as it was, so only a file this
  // Save As brought into being is removed; a file the user agreed to replace
  // still holds its old bytes and stays.
  const bool existed = FileExists(target);
  bool saved;
  {
    WaitCursor wait;
    saved = OnSaveDocument(newName);
  }
  if (!saved) {
    if (prompted && !existed) std::remove(target.c_str());
    return false;
  }
  if (replace) SetPathName(newName);
  return true;
}

bool CMyDoc::DoFileSave() {
  if (m_strPathName.isEmpty() || IsReadOnlyFile(FsPath(m_strPathName))) return DoSave(QString());
  return DoSave(m_strPathName);
}

QString CMyDoc::GetScriptFileName() const {
  return QString::fromStdString(GetFileTitlePart(m_strPathName.toStdString()));
}

bool CMyDoc::SaveForRun(bool convert) {
  if (!m_strPathName.isEmpty() && !IsReadOnlyFile(FsPath(m_strPathName)) && m_settings.AutoSave && IsModified()) {
    OnSaveDocument(m_strPathName);
  }
  if (m_saveAllModified && !m_saveAllModified()) return false;
  if (!m_pView || m_strPathName.isEmpty()) {
    ShowMessage(DialogParent(), Text(str::kTempCopyFailed), MsgIcon::Exclamation);
    return false;
  }

  // The run copy is written beside the document's own saves: the document
  // stays as modified as it was, and its recovery copy stays where it is.
  const QString path = m_strPathName;
  SavedText runCopy;
  try {
    runCopy = EncodeTextForSave(m_pView->Buffer().GetText(), convert && m_settings.SaveAsSJIS ? 0 : m_nKanjiCode,
                                convert ? 0 : m_nCrLf, m_bByteOrderMark);
  } catch (const std::bad_alloc&) {
    ReportFailure(DialogParent(), str::kSaveFailed, path, ENOMEM);
    return false;
  }
  int error = 0;
  switch (RunCopy::Start(FsPath(path), runCopy.bytes, &error)) {
    case RunCopy::Failure::None: break;
    case RunCopy::Failure::PendingPutBack:
      Report(DialogParent(), Text(str::kRunCopyNotPutBack)
                                 .arg(QDir::toNativeSeparators(path), QString::number(error),
                                      QFile::decodeName(QByteArray::fromStdString(RunCopy::WaitingBytes(FsPath(path))))));
      return false;
    case RunCopy::Failure::Copy: ShowMessage(DialogParent(), Text(str::kTempCopyFailed), MsgIcon::Exclamation); return false;
    case RunCopy::Failure::Record:
      Report(DialogParent(), Text(str::kRunRecordFailed)
                                 .arg(QDir::toNativeSeparators(path),
                                      QFile::decodeName(QByteArray::fromStdString(RunJournal::DefaultFolder())),
                                      SystemErrorReason(error), QString::number(error)));
      return false;
    case RunCopy::Failure::Write: ReportFailure(DialogParent(), str::kSaveFailed, path, error); return false;
  }
  if (runCopy.changed != 0) {
    Report(DialogParent(),
           Text(str::kSaveReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(runCopy.changed)));
  }
  return true;
}

bool CMyDoc::RestoreAfterRun() const { return RestoreAfterRun(FsPath(m_strPathName)); }

bool CMyDoc::RestoreAfterRun(const std::string& path) { return RunCopy::PutBack(path) == 0; }

}  // namespace corvella
