// Perl's messages after a run, a debug session or a background check turned into error marks in the open documents they name.
#include "app/ErrorMarker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "app/OutputBar.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "editor/MyDoc.h"
#include "run/PerlMessageCollector.h"

namespace corvella {
namespace {

ErrorMarks::Kind KindOf(PerlMessageKind kind) {
  return kind == PerlMessageKind::Warning ? ErrorMarks::Kind::Warning : ErrorMarks::Kind::Error;
}

QString AbsolutePath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace

std::map<CMyDoc*, ErrorMarks> MarksByDocument(const std::vector<PerlMessage>& messages, const QString& folder,
                                              const std::vector<CMyDoc*>& docs, const QString& aliasPath,
                                              CMyDoc* aliasDoc) {
  std::map<QString, CMyDoc*> byPath;
  for (CMyDoc* doc : docs) {
    if (!doc->GetPathName().isEmpty()) byPath[AbsolutePath(doc->GetPathName())] = doc;
  }
  const QDir base(folder);
  if (aliasDoc && !aliasPath.isEmpty()) byPath[QDir::cleanPath(base.absoluteFilePath(aliasPath))] = aliasDoc;

  std::map<CMyDoc*, ErrorMarks> marks;
  for (const PerlMessage& m : messages) {
    const QString file = SjisToQString(m.at.file);
    const auto it = byPath.find(QDir::cleanPath(base.absoluteFilePath(file)));
    if (it == byPath.end()) continue;
    const auto line = static_cast<std::size_t>(m.at.line - 1);
    if (line >= it->second->Text().Buffer().GetLineCount()) continue;
    marks[it->second].Add(line, KindOf(m.kind), m.text);
  }
  return marks;
}

ErrorMarker::ErrorMarker(CMainFrame& frame, DocManager& docs) : m_frame(frame), m_docs(docs) {
  if (COutputBar* pane = m_frame.OutputBar()) {
    connect(&pane->Edit(), &EditControl::textChanged, this, [this] { m_paneWritten = true; });
  }
  connect(&m_frame.Runner(), &ScriptRunner::runFinished, this, &ErrorMarker::RunFinished);
}

void ErrorMarker::RunFinished() {
  const std::string& ran = m_frame.Runner().RunScript();
  if (ran.empty()) return;
  const QString script = AbsolutePath(QFile::decodeName(QByteArray::fromStdString(ran)));
  std::vector<PerlMessage> messages;
  if (COutputBar* pane = m_frame.OutputBar(); pane && m_paneWritten) {
    if (pane->MessagesFollowText()) {
      messages = pane->Messages();
    } else {
      // Block by block: a long output is neither copied nor split into lines.
      PerlMessageCollector collector;
      pane->Edit().Buffer().ForEachPiece([&collector](const char* bytes, std::size_t size) {
        collector.Feed(std::string_view(bytes, size));
      });
      messages = collector.Finish();
    }
  }
  m_paneWritten = false;
  std::map<CMyDoc*, ErrorMarks> marks =
      MarksByDocument(messages, QFileInfo(script).absolutePath(), m_docs.Documents());
  for (CMyDoc* doc : m_docs.Documents()) {
    const auto it = marks.find(doc);
    if (it != marks.end()) doc->SetErrorMarks(std::move(it->second));
    else if (!doc->GetPathName().isEmpty() && AbsolutePath(doc->GetPathName()) == script) doc->SetErrorMarks({});
  }
}

}  // namespace corvella
