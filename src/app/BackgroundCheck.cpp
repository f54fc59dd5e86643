// The optional background check: a second after typing pauses, a copy of the active script is checked with "perl -c" and its error marks follow the result.
#include "app/BackgroundCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/DocManager.h"
#include "app/ErrorMarker.h"
#include "app/MainFrame.h"
#include "base/CommandRouter.h"
#include "base/Profile.h"
#include "base/Settings.h"
#include "editor/Cp932Text.h"
#include "editor/MyDoc.h"
#include "platform/AtomicFile.h"
#include "platform/ChildEnvironment.h"
#include "res/resource.h"
#include "run/RunCommand.h"
#include "run/RunOutputDecoder.h"
#include "text/LoadedText.h"

namespace corvella {

BackgroundCheck::BackgroundCheck(CMainFrame& frame, DocManager& docs, Profile& profile)
    : m_frame(frame),
      m_docs(docs),
      m_profile(profile),
      m_on(profile.GetProfileInt(kSettingsSection, kBackgroundCheckEntry, 0) != 0) {
  m_pause.setSingleShot(true);
  m_pause.setInterval(kPauseMs);
  connect(&m_pause, &QTimer::timeout, this, &BackgroundCheck::StartCheck);
  // A window is activated before its document is attached: asked once the
  // event that activated it is over.
  connect(&m_frame, &CMainFrame::activeDocumentChanged, this,
          [this] { QTimer::singleShot(0, this, &BackgroundCheck::FollowActiveDocument); });
}

BackgroundCheck::~BackgroundCheck() { m_process.Stop(); }

void BackgroundCheck::RegisterCommands(CommandMap& commands) {
  commands.On(res::ID_BACKGROUND_CHECK, [this] { Toggle(); }, [this](CmdUI& ui) { ui.checked = m_on; });
}

void BackgroundCheck::Toggle() {
  m_on = !m_on;
  m_profile.WriteProfileInt(kSettingsSection, kBackgroundCheckEntry, m_on ? 1 : 0);
  if (m_on) {
    FollowActiveDocument();
    Schedule();
  } else {
    m_pause.stop();
    m_pending = false;
    m_process.Stop();
  }
}

void BackgroundCheck::FollowActiveDocument() {
  CMyDoc* active = m_docs.ActiveDocument();
  if (active == m_watched) return;
  if (m_watched) disconnect(m_watched, &CMyDoc::textChanged, this, &BackgroundCheck::Schedule);
  m_watched = active;
  if (m_watched) connect(m_watched, &CMyDoc::textChanged, this, &BackgroundCheck::Schedule);
  if (m_on) Schedule();
}

void BackgroundCheck::Schedule() {
  if (m_on) m_pause.start();
}

void BackgroundCheck::StartCheck() {
  CMyDoc* doc = m_watched;
  const std::string& perlDir = m_frame.GetSettings().m_szPerlDir;
  if (!m_on || !doc || perlDir.empty()) return;
  if (m_process.Running()) {
    // The newer text goes once the running check has been ended.
    m_pending = true;
    m_process.Stop();
    return;
  }
  if (!m_folder) {
    m_folder = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("corvella-check-XXXXXX")));
    if (!m_folder->isValid()) {
      m_folder.reset();
      return;
    }
  }
  const QString path = doc->GetPathName();
  const QString name = path.isEmpty() ? doc->GetTitle() + QStringLiteral(".pl") : QFileInfo(path).fileName();
  m_copyPath = QDir(m_folder->path()).filePath(name);
  m_folderOfScript = path.isEmpty() ? m_folder->path() : QFileInfo(path).absolutePath();
  const SavedText copy = EncodeTextForSave(doc->Text().Buffer().GetText(), doc->KanjiCode(), doc->CrLf(),
                                           doc->HasByteOrderMark());
  const std::string copyFile = QFile::encodeName(m_copyPath).toStdString();
  if (WriteFileAtomically(copyFile, copy.bytes) != 0) return;

  std::string perl = perlDir;
  if (perl.back() != '/') perl += '/';
  perl += InterpreterName(m_frame.GetSettings().UsePerl);
  ChildEnvironment::Shared().PrependToPath(perlDir);
  m_checking = doc;
  m_process.Start({perl, "-c", copyFile}, QFile::encodeName(m_folderOfScript).toStdString(),
                  ChildEnvironment::Shared().Entries(), [this](std::string output, bool stopped) {
                    QMetaObject::invokeMethod(this, [this, output = std::move(output), stopped]() mutable {
                      Finished(std::move(output), stopped);
                    }, Qt::QueuedConnection);
                  });
}

void BackgroundCheck::Finished(std::string output, bool stopped) {
  m_process.Join();
  if (m_pending) {
    m_pending = false;
    StartCheck();
    return;
  }
  if (stopped || !m_on || !m_checking) return;
  RunOutputDecoder decoder;
  std::string text = decoder.Feed(output);
  text += decoder.Finish();
  // The messages name the script as a run in its folder would, not the copy.
  const QString path = m_checking->GetPathName().isEmpty() ? m_checking->GetTitle()
                                                            : QFileInfo(m_checking->GetPathName()).fileName();
  const std::string copy = QStringToSjis(m_copyPath);
  const std::string script = QStringToSjis(path);
  for (std::size_t at = text.find(copy); at != std::string::npos; at = text.find(copy, at + script.size())) {
    text.replace(at, copy.size(), script);
  }
  std::map<CMyDoc*, ErrorMarks> marks =
      MarksByDocument(CollectPerlMessages(text), m_folderOfScript, {}, path, m_checking);
  m_checking->SetErrorMarks(std::move(marks[m_checking]));
  emit checked();
}

}  // namespace corvella
