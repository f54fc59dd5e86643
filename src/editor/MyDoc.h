// One open script: its text, file, title, modified flag and the encoding and newline codes its file is written in.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "document/TextDocument.h"
#include "editor/OpenFileDlg.h"
#include "text/KanjiDetect.h"
#include "text/Newlines.h"

class QWidget;

namespace corvella {

struct Settings;

// The document manager owns each document and drives it: it creates the
// document and its views, calls OnNewDocument or OnOpenDocument and then
// SetPathName, and saves through DoFileSave / DoSave. The document owns its
// text, which its views show and edit; it works the same with no view at all.
// Failures are reported to the user here, through the message box helper.
class CMyDoc : public QObject, private EditBuffer::Listener {
  Q_OBJECT

 public:
  // `settings` (the frame's) must outlive the document; the two codes start
  // from its "CRLF" and "KanjiCode" as they are now.
  explicit CMyDoc(Settings& settings, QObject* parent = nullptr);
  ~CMyDoc() override;

  // The text, its undo history and line states; a view shows it once given
  // it (EditControl::SetDocument). The modified flag follows the history's
  // save point: an edit sets it, undoing back to the saved text clears it.
  TextDocument& Text() { return *m_text; }
  const TextDocument& Text() const { return *m_text; }
  const std::shared_ptr<TextDocument>& SharedText() const { return m_text; }
  // Where questions and failures are shown.
  void SetDialogParent(QWidget* parent) { m_dialogParent = parent; }

  // The codes the file is written in.
  EncodingCode KanjiCode() const { return m_nKanjiCode; }
  NewlineCode CrLf() const { return m_nCrLf; }
  void SetCodes(EncodingCode kanjiCode, NewlineCode crLf) {
    m_nKanjiCode = kanjiCode;
    m_nCrLf = crLf;
  }

  const QString& GetPathName() const { return m_strPathName; }
  // Also makes the file name the title and, when asked, offers the path to
  // the recent-file list.
  void SetPathName(const QString& path, bool addToRecentFileList = true);
  const QString& GetTitle() const { return m_strTitle; }
  void SetTitle(const QString& title);
  bool IsModified() const { return m_bModified; }
  // The document's file holds bytes that saving the text would not write
  // back (invalid sequences, codes that do not convert back); the first save
  // over it asks first.
  bool IsLossy() const { return !m_strLossyPath.isEmpty() && m_strLossyPath == m_strPathName; }
  // The file began with a UTF-8 byte order mark, which its saves write again.
  bool HasByteOrderMark() const { return m_bByteOrderMark; }
  // False makes the text as it is now the saved one; true makes it count as
  // unsaved until the next save.
  void SetModifiedFlag(bool modified = true);

  // An empty text with empty histories, not modified.
  bool OnNewDocument();
  // Loads the file as the text: the size limit, the codes settled by the
  // load (detection when "KanjiConvert" is on), the histories emptied, not
  // modified; a file whose bytes the text would not write back is said so.
  // On failure the text stays as it was and false comes back.
  // The path is not taken over; the manager does that with SetPathName.
  bool OnOpenDocument(const QString& path);
  // Takes `text` (the editor's bytes, kept by a recovery copy) as the
  // document's, with empty histories and the modified flag set: nothing is
  // on the disk until the user saves.
  void LoadRecovered(const std::string& text);
  // Reads the document's file again through OnOpenDocument, in encoding
  // `kanjiCode` with detection off, or in its own encoding with `crLf` as the
  // newline code afterwards (the load takes every line end as one, so the
  // choice only says how the next save writes them). A modified document
  // asks first; No changes nothing. The caret stays on its line where the
  // text still has it. A document without a file only takes the code, for
  // its next save. False when nothing changed.
  bool ReopenInEncoding(EncodingCode kanjiCode);
  bool ReopenWithNewline(NewlineCode crLf);
  // Writes the text in the document's codes (a UTF-8 file read with a
  // byte order mark gets it again), replacing the file only once the new
  // bytes are safely on the disk; clears the modified flag. The first save
  // over a lossy file asks first (No: nothing is written, false).
  bool OnSaveDocument(const QString& path);
  // Save (`path` given) and Save As (`path` empty: the dialog asks for one).
  // `replace` makes a successfully written path the document's own.
  bool DoSave(const QString& path, bool replace = true);
  // File Save: Save As for a document without a file or with a read-only
  // one, otherwise a plain Save to its own path.
  bool DoFileSave();
  // The file name with extension, without the folder.
  QString GetScriptFileName() const;

  // Breakpoints (zero-based lines, kept by the text and moved with it as it
  // is edited): toggled or cleared from the user interface, with
  // breakpointsChanged; BreakpointLines gives them where they are now.
  void ToggleBreakpoint(int line);
  void ClearBreakpoints();
  std::vector<int> BreakpointLines() const;
  // The debugger's execution line (zero-based, -1: none), marked in every
  // view and moved with the text like a breakpoint; setting it replaces the
  // last one. A load or an edit that deletes its line drops it.
  void SetExecutionLine(int line);
  int ExecutionLine() const;
  // Perl's errors and warnings for this script (messages in Shift_JIS),
  // replacing the last ones; kept by the text and moved with it.
  void SetErrorMarks(ErrorMarks marks);
  const ErrorMarks& GetErrorMarks() const { return m_text->Errors(); }

  // Shows the Save As dialog; tests drive it without blocking.
  void SetSaveAsDialogRunner(FileDialogRunner run) { m_runSaveAsDialog = std::move(run); }

 signals:
  void titleChanged(const QString& title);
  void pathNameChanged(const QString& path);
  void modifiedChanged(bool modified);
  // The text changed (typing, undo, a load).
  void textChanged();
  // A path became the document's own through Open or Save As.
  void addToRecentFileList(const QString& path);
  // A breakpoint toggled or the breakpoints cleared (ToggleBreakpoint,
  // ClearBreakpoints), or a load that dropped them.
  void breakpointsChanged();
  // SetExecutionLine changed the marked line, or a load dropped it.
  void executionLineChanged();
  // SetErrorMarks changed the marks.
  void errorMarksChanged();

 private:
  void TextChanged(const EditBuffer::TextChange& change) override;
  void SelectionChanged(const EditBuffer::Selection&, const EditBuffer::Selection&) override {}
  QWidget* DialogParent() const { return m_dialogParent; }
  void LoadText(ByteBuffer text);
  void FollowSavePoint();
  bool Reopen(EncodingCode kanjiCode, std::optional<NewlineCode> crLf, const char* question);
  // Whether a save to `path` may go ahead: asks once before the text goes
  // over a file it would not write back.
  bool ConfirmLossySave(const QString& path);

  Settings& m_settings;
  std::shared_ptr<TextDocument> m_text;
  QPointer<QWidget> m_dialogParent;
  NewlineCode m_nCrLf;         // 0 CR+LF, 1 LF, 2 CR
  EncodingCode m_nKanjiCode;  // 0 Shift_JIS, 1 EUC-JP, 2 JIS, 3 UTF-8
  QString m_strPathName;
  QString m_strTitle;
  bool m_bModified = false;
  bool m_bLoading = false;
  bool m_bReloading = false;  // a load keeps the views' places
  bool m_bByteOrderMark = false;  // the file began with a UTF-8 byte order mark, which its saves write again
  QString m_strLossyPath;  // the file read whose bytes the text would not write back, until a save is agreed
  FileDialogRunner m_runSaveAsDialog = ExecFileDialog;
};

}  // namespace corvella
