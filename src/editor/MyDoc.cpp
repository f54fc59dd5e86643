// One open script: its text, file, title, modified flag and the encoding and newline codes its file is written in.
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
#include "platform/AtomicFile.h"
#include "platform/FilePrefetch.h"
#include "platform/RunCopy.h"
#include "res/Strings.h"
#include "text/DocumentFiles.h"
#include "text/LoadedText.h"
#include "text/SaveEncoder.h"

namespace corvella {
namespace {

QString Utf8(const char* utf8) { return QString::fromUtf8(utf8); }

std::string FsPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

CMyDoc::CMyDoc(Settings& settings, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_text(std::make_shared<TextDocument>()),
      m_nCrLf(static_cast<NewlineCode>(settings.CRLF)),
      m_nKanjiCode(static_cast<EncodingCode>(settings.KanjiCode)) {
  m_text->Buffer().SetLimitText(EditBuffer::kMaxTextLimit);
  m_text->Buffer().AddListener(this);
}

CMyDoc::~CMyDoc() { m_text->Buffer().RemoveListener(this); }

// The history hears of an edit, an undo or a redo before the text changes,
// so whether the text is the saved one can be asked here.
void CMyDoc::TextChanged(const EditBuffer::TextChange&) {
  if (m_bLoading) return;
  FollowSavePoint();
  emit textChanged();
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
  UndoHistory& history = m_text->History();
  if (!modified) history.MarkSaved();
  else if (history.AtSavePoint()) history.ForgetSavePoint();
  FollowSavePoint();
}

void CMyDoc::FollowSavePoint() {
  const bool modified = !m_text->History().AtSavePoint();
  if (modified == m_bModified) return;
  m_bModified = modified;
  emit modifiedChanged(modified);
}

void CMyDoc::LoadText(ByteBuffer text) {
  const LineMarks breakpoints = m_text->Breakpoints();
  const int execution = ExecutionLine();
  m_bLoading = true;
  if (m_bReloading) {
    m_text->Reload(std::move(text));
  } else {
    m_text->Load(std::move(text));
  }
  m_bLoading = false;
  emit textChanged();
  if (!(m_text->Breakpoints() == breakpoints)) emit breakpointsChanged();
  if (ExecutionLine() != execution) emit executionLineChanged();
}

void CMyDoc::ToggleBreakpoint(int line) {
  if (line < 0 || static_cast<std::size_t>(line) >= m_text->Buffer().GetLineCount()) return;
  m_text->Breakpoints().Toggle(static_cast<std::size_t>(line));
  emit breakpointsChanged();
}

void CMyDoc::ClearBreakpoints() {
  if (m_text->Breakpoints().Empty()) return;
  m_text->Breakpoints().Clear();
  emit breakpointsChanged();
}

std::vector<int> CMyDoc::BreakpointLines() const {
  const std::vector<std::size_t>& lines = m_text->Breakpoints().Lines();
  return std::vector<int>(lines.begin(), lines.end());
}

void CMyDoc::SetExecutionLine(int line) {
  if (line >= 0 && static_cast<std::size_t>(line) >= m_text->Buffer().GetLineCount()) line = -1;
  if (line == ExecutionLine()) return;
  LineMarks& mark = m_text->ExecutionMark();
  mark.Clear();
  if (line >= 0) mark.Set(static_cast<std::size_t>(line), true);
  emit executionLineChanged();
}

void CMyDoc::SetErrorMarks(ErrorMarks marks) {
  ErrorMarks& now = m_text->Errors();
  if (now.Marks() == marks.Marks()) return;
  now = std::move(marks);
  emit errorMarksChanged();
}

int CMyDoc::ExecutionLine() const {
  const std::vector<std::size_t>& lines = m_text->ExecutionMark().Lines();
  return lines.empty() ? -1 : static_cast<int>(lines.front());
}

void CMyDoc::LoadRecovered(const std::string& text) {
  LoadText(ByteBuffer(text));
  SetModifiedFlag(true);
}

bool CMyDoc::OnNewDocument() {
  LoadText({});
  SetModifiedFlag(false);
  return true;
}

bool CMyDoc::OnOpenDocument(const QString& path) {
  FileBytesResult file = ReadPrefetchedOrWhole(FsPath(path));
  switch (file.status) {
    case FileReadResult::Status::Ok: break;
    case FileReadResult::Status::TooLarge: ReportOverWait(DialogParent(), Utf8(str::kFileTooLarge)); return false;
    case FileReadResult::Status::ShortRead:
      ReportOverWait(DialogParent(), Utf8(str::kOpenShortRead).arg(QDir::toNativeSeparators(path)));
      return false;
    case FileReadResult::Status::Failed: ReportFileFailure(DialogParent(), str::kOpenFailed, path, file.error); return false;
  }

  int kanjiCode = m_nKanjiCode;
  int crLf = m_nCrLf;
  LoadedText loaded;
  std::size_t length = 0;
  try {
    // A Shift_JIS file's bytes become the text itself, without a copy.
    loaded = DecodeLoadedText(ByteBuffer::Adopt(file.bytes.release(), file.size), m_settings.KanjiConvert, kanjiCode,
                              crLf);
    length = loaded.text.Size();
    LoadText(std::move(loaded.text));
  } catch (const std::bad_alloc&) {
    LoadText({});
    ReportFileFailure(DialogParent(), str::kOpenFailed, path, ENOMEM);
    return false;
  }
  if (m_text->Buffer().GetTextLength() != length) {  // the buffer would not take it all
    LoadText({});
    ReportFileFailure(DialogParent(), str::kOpenFailed, path, ENOMEM);
    return false;
  }
  m_nKanjiCode = static_cast<EncodingCode>(kanjiCode);
  m_nCrLf = static_cast<NewlineCode>(crLf);
  m_bByteOrderMark = loaded.byteOrderMark;
  m_strLossyPath = loaded.writesBack ? QString() : path;
  SetModifiedFlag(false);
  // Characters replaced on a UTF-8 load have their own note, which says as much.
  if (loaded.changed != 0) {
    ReportOverWait(DialogParent(),
           Utf8(str::kLoadReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(loaded.changed)));
  } else if (!loaded.writesBack) {
    ReportOverWait(DialogParent(), Utf8(str::kLoadNotWrittenBack).arg(QDir::toNativeSeparators(path)));
  }
  return true;
}

bool CMyDoc::ReopenInEncoding(EncodingCode kanjiCode) { return Reopen(kanjiCode, std::nullopt, str::kAskToReopenEncoding); }

bool CMyDoc::ReopenWithNewline(NewlineCode crLf) { return Reopen(m_nKanjiCode, crLf, str::kAskToReopenNewline); }

bool CMyDoc::Reopen(EncodingCode kanjiCode, std::optional<NewlineCode> crLf, const char* question) {
  if (m_strPathName.isEmpty()) {
    m_nKanjiCode = kanjiCode;
    if (crLf) m_nCrLf = *crLf;
    return true;
  }
  if (IsModified() &&
      ShowMessage(DialogParent(), Utf8(question).arg(m_strPathName), MsgIcon::Question, MsgButtons::YesNo) !=
          MsgResult::Yes) {
    return false;
  }
  // The user names the encoding, so detection must not overrule it; the load
  // reads the document's code, which goes back should the load fail.
  struct Lent {
    bool& kanjiConvert;
    const bool was;
    ~Lent() { kanjiConvert = was; }
  } lent{m_settings.KanjiConvert, m_settings.KanjiConvert};
  m_settings.KanjiConvert = false;
  const EncodingCode oldKanjiCode = m_nKanjiCode;
  m_nKanjiCode = kanjiCode;
  bool loaded;
  {
    // Every view keeps its caret's line and its scroll position.
    WaitCursor wait;
    m_bReloading = true;
    loaded = OnOpenDocument(m_strPathName);
    m_bReloading = false;
  }
  if (!loaded) {
    m_nKanjiCode = oldKanjiCode;
    return false;
  }
  if (crLf) m_nCrLf = *crLf;
  return true;
}

bool CMyDoc::OnSaveDocument(const QString& path) {
  if (!ConfirmLossySave(path)) return false;
  // The text is converted block by block as it is written: a large
  // document is never held twice.
  std::size_t changed = 0;
  const BytePieces pieces = [this, &changed](const ByteWriter& write) {
    SaveEncoder encoder(m_nKanjiCode, m_nCrLf, m_bByteOrderMark, write);
    m_text->Buffer().ForEachPiece([&encoder](const char* bytes, std::size_t size) { encoder.Add({bytes, size}); });
    const int error = encoder.Finish();
    changed = encoder.Changed();
    return error;
  };
  int error = 0;
  try {
    error = RunCopy::Save(FsPath(path), pieces);
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  if (error) {
    ReportFileFailure(DialogParent(), str::kSaveFailed, path, error);
    return false;
  }
  SetModifiedFlag(false);
  if (changed != 0) {
    ReportOverWait(DialogParent(),
           Utf8(str::kSaveReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(changed)));
  }
  return true;
}

// The run copy is written elsewhere (ScriptRunCopy) and asks nothing: the
// file's bytes come back after the run. A save during a run asks, as it is
// what the run's end puts back.
bool CMyDoc::ConfirmLossySave(const QString& path) {
  if (m_strLossyPath.isEmpty() || path != m_strLossyPath) return true;
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const QString question = Utf8(str::kAskSaveNotWrittenBack).arg(QDir::toNativeSeparators(path));
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
                        Utf8(str::kFileFilter), DialogParent());
    dialog.m_nKanjiCode = m_nKanjiCode;
    dialog.m_nCrLf = m_nCrLf;
    if (!m_runSaveAsDialog(dialog)) return false;
    m_nKanjiCode = static_cast<EncodingCode>(dialog.m_nKanjiCode);
    m_nCrLf = static_cast<NewlineCode>(dialog.m_nCrLf);
    newName = dialog.GetPathName();
    m_settings.Directory = GetFolderPart(newName.toStdString());
  }

  const std::string target = FsPath(newName);
  if (FileExists(target) && IsReadOnlyFile(target)) {
    ShowMessage(DialogParent(), Utf8(str::kReadOnlySaveRefused), MsgIcon::Exclamation, MsgButtons::Ok);
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

}  // namespace corvella
