// The run copy of a script document: the editor's text written over its file for a run, the user's bytes kept aside with a record that outlives a crash, and put back at the end.
#include "run/ScriptRunCopy.h"

#include <cerrno>
#include <new>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include "base/MessageBox.h"
#include "base/Settings.h"
#include "editor/MyDoc.h"
#include "platform/FileNames.h"
#include "platform/RunCopy.h"
#include "platform/RunJournal.h"
#include "res/Strings.h"
#include "text/KanjiDetect.h"
#include "text/LoadedText.h"
#include "text/Newlines.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

std::string FsPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Where the user's bytes wait when they could not go back.
QString NotPutBack(const std::string& script, int error) {
  return Text(str::kRunCopyNotPutBack)
      .arg(QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(script))), QString::number(error),
           QFile::decodeName(QByteArray::fromStdString(RunCopy::WaitingBytes(script))));
}

}  // namespace

ScriptRunCopy::ScriptRunCopy(CMyDoc& doc, const Settings& settings, std::function<bool()> saveAll, QWidget* parent)
    : m_doc(doc), m_settings(settings), m_saveAll(std::move(saveAll)), m_parent(parent) {}

bool ScriptRunCopy::Save(bool convert) {
  const QString path = m_doc.GetPathName();
  if (!path.isEmpty() && !IsReadOnlyFile(FsPath(path)) && m_settings.AutoSave && m_doc.IsModified()) {
    m_doc.OnSaveDocument(path);
  }
  if (m_saveAll && !m_saveAll()) return false;
  if (path.isEmpty()) {
    ShowMessage(m_parent, Text(str::kTempCopyFailed), MsgIcon::Exclamation);
    return false;
  }

  // The run copy is written beside the document's own saves: the document
  // stays as modified as it was, and its recovery copy stays where it is.
  SavedText runCopy;
  try {
    runCopy = EncodeTextForSave(m_doc.Text().Buffer().GetText(),
                                convert && m_settings.SaveAsSJIS ? kEncodingSjis : m_doc.KanjiCode(),
                                convert ? kNewlineCrLf : m_doc.CrLf(), m_doc.HasByteOrderMark());
  } catch (const std::bad_alloc&) {
    ReportFileFailure(m_parent, str::kSaveFailed, path, ENOMEM);
    return false;
  }
  int error = 0;
  switch (RunCopy::Start(FsPath(path), runCopy.bytes, &error)) {
    case RunCopy::Failure::None: break;
    case RunCopy::Failure::PendingPutBack: ReportOverWait(m_parent, NotPutBack(FsPath(path), error)); return false;
    case RunCopy::Failure::Copy: ShowMessage(m_parent, Text(str::kTempCopyFailed), MsgIcon::Exclamation); return false;
    case RunCopy::Failure::Record:
      ReportOverWait(m_parent, Text(str::kRunRecordFailed)
                           .arg(QDir::toNativeSeparators(path),
                                QFile::decodeName(QByteArray::fromStdString(RunJournal::DefaultFolder())),
                                SystemErrorReason(error), QString::number(error)));
      return false;
    case RunCopy::Failure::Write: ReportFileFailure(m_parent, str::kSaveFailed, path, error); return false;
  }
  if (runCopy.changed != 0) {
    ReportOverWait(m_parent, Text(str::kSaveReplacedChars).arg(QDir::toNativeSeparators(path), QString::number(runCopy.changed)));
  }
  return true;
}

bool ScriptRunCopy::PutBack() const { return PutBack(FsPath(m_doc.GetPathName())); }

bool ScriptRunCopy::PutBack(const std::string& script, const std::function<void(const QString&)>& tell) {
  const int error = RunCopy::PutBack(script);
  if (error == 0) return true;
  if (tell) tell(NotPutBack(script, error));
  return false;
}

}  // namespace corvella
