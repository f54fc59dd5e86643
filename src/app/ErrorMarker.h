// Perl's messages after a run, a debug session or a background check turned into error marks in the open documents they name.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include <QObject>
#include <QString>

#include "document/ErrorMarks.h"
#include "run/PerlMessages.h"

namespace corvella {

class CMainFrame;
class CMyDoc;
class DocManager;

// The marks of each of `docs` that `messages` name (zero-based lines within
// the text only). A relative name counts from `folder`; a message naming
// `aliasPath` (a name standing for a document) counts for `aliasDoc`.
std::map<CMyDoc*, ErrorMarks> MarksByDocument(const std::vector<PerlMessage>& messages, const QString& folder,
                                              const std::vector<CMyDoc*>& docs, const QString& aliasPath = {},
                                              CMyDoc* aliasDoc = nullptr);

// When a run ends, the script's marks are replaced by those of the messages
// in the output pane (none when the run wrote nothing there, as a terminal's
// run), and every other open document the messages name gets theirs.
class ErrorMarker : public QObject {
  Q_OBJECT

 public:
  ErrorMarker(CMainFrame& frame, DocManager& docs);

 private:
  void RunFinished();

  CMainFrame& m_frame;
  DocManager& m_docs;
  bool m_paneWritten = false;  // the output pane changed since the last run ended
};

}  // namespace corvella
