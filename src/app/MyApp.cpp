// The application object: start-up in its fixed order, the start-up mode, the command line, and shut-down.
#include "app/MyApp.h"

#include <array>
#include <cstdlib>

#include <QFile>
#include <QStatusBar>
#include <QTimer>

#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "base/MessageBox.h"
#include "base/QSettingsProfile.h"
#include "base/Responders.h"
#include "base/Settings.h"
#include "controls/AboutDlg.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/Leftovers.h"
#include "platform/RecoveryStore.h"
#include "platform/RunJournal.h"
#include "res/StartStrings.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {

namespace {

QString FromFs(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// Without a state folder nothing typed is kept against a crash, and no run
// may put its copy over a script: said once, at start.
void CheckStateFolder(QWidget* parent) {
  for (const std::string& folder : {RunJournal::DefaultFolder(), RecoveryStore::DefaultFolder()}) {
    if (CheckWritableFolder(folder) == 0) continue;
    ShowMessage(parent, QString::fromUtf8(str::kStateFolderUnusable).arg(FromFs(StateFolder())), MsgIcon::Exclamation);
    return;
  }
}

// Runs and saves left by a program that died: put back, left alone or kept
// aside; one message for each kind, naming the files and where their bytes are.
void ReportAbandoned(QWidget* parent, const RunJournal& journal,
                     const std::array<const char*, 4>& texts) {  // restored, changed, damaged, failed
  std::array<QStringList, 4> lines;
  for (const AbandonedRun& run : journal.RecoverAbandoned()) {
    const QString script = run.script.empty() ? QString::fromUtf8(str::kUnknownScript) : FromFs(run.script);
    const auto kind = static_cast<std::size_t>(run.outcome);
    lines[kind] << (run.outcome == AbandonedRun::Outcome::Restored
                        ? script
                        : QString::fromUtf8(str::kKeptAt).arg(script, FromFs(run.kept)));
  }
  for (std::size_t kind = 0; kind < texts.size(); ++kind) {
    if (lines[kind].isEmpty()) continue;
    ShowMessage(parent, QString::fromUtf8(texts[kind]).arg(lines[kind].join(QLatin1Char('\n'))), MsgIcon::Exclamation);
  }
}

void ReportAbandonedRuns(QWidget* parent) {
  const RunJournal runs;
  ReportAbandoned(parent, runs,
                  {str::kRunScriptsRecovered, str::kRunScriptsChanged, str::kRunRecordsDamaged, str::kRunScriptsNotPutBack});
  RemoveLeftovers(TempFolder(), runs);
  // A save is never put back: a complete one stays, a cut one is only told.
  ReportAbandoned(parent, RunJournal(RunJournal::SavesFolder(), RunJournal::Kind::Save),
                  {str::kRunScriptsRecovered, str::kSaveCutShort, str::kSaveRecordsDamaged, str::kSaveCutShort});
}

// The first start of a user: the perl of PATH and encoding recognition (most
// scripts here are UTF-8). Saved on closing like any setting, so from then on
// the stored values rule, an emptied Perl folder included.
void ApplyFirstStart(CMainFrame& frame) {
  Settings& settings = frame.GetSettings();
  settings.KanjiConvert = true;
  const char* path = std::getenv("PATH");
  settings.m_szPerlDir = PerlFolderOnPath(path ? path : "");
  if (settings.m_szPerlDir.empty()) frame.statusBar()->showMessage(QString::fromUtf8(str::kNoPerlOnPath));
}

}  // namespace

CMyApp::CMyApp() : m_responders(std::make_unique<Responders>()) {}

CMyApp::~CMyApp() {
  m_docs.reset();
  m_frame.reset();
}

bool CMyApp::InitInstance(const QStringList& files) {
  m_profile = std::make_unique<QSettingsProfile>();  // "Varkel Software" / "Corvella"
  if (const QString unusable = m_profile->UnusableFile(); !unusable.isEmpty()) {
    m_responders->Message(nullptr, QString::fromUtf8(str::kSettingsFileUnusable).arg(unusable), MsgIcon::Exclamation);
  }
  m_frame = std::make_unique<CMainFrame>(*m_profile, nullptr);
  m_responders->Serve(m_frame.get());
  m_docs = std::make_unique<DocManager>(*m_frame, *m_profile);
  // The document manager is the application's command target; the About
  // command is the application object's own.
  m_docs->Commands().On(res::ID_APP_ABOUT, [this] { OnAppAbout(); });
  m_docs->LoadRecentFileList();
  m_frame->SetAppTarget(m_docs.get());
  if (!m_frame->Create()) return false;
  if (m_profile->IsFirstStart()) ApplyFirstStart(*m_frame);
  CheckStateFolder(m_frame.get());
  ReportAbandonedRuns(m_frame.get());

  // Changes a program that died had not saved: offered before anything opens.
  const int restored = m_docs->OfferRecovery();

  // Start-up mode 1 or 2 with nothing named: no empty document.
  // The settings dialog edits it with the frame's other settings.
  int& openMode = m_frame->GetSettings().OpenMode;
  openMode = LoadOpenMode(*m_profile);
  if (files.isEmpty()) {
    if (openMode == 0 && restored == 0) m_docs->OnFileNew();
  } else {
    for (const QString& file : files) {
      if (!m_docs->OpenDocumentFile(file)) return false;
    }
  }
  if (openMode == 1) {
    // Opens the most recent file once the loop runs; nothing when the list is empty.
    QTimer::singleShot(0, m_frame.get(), [this] { m_frame->Router().Route(res::ID_FILE_MRU_FILE1); });
  }
  m_frame->show();
  return true;
}

void CMyApp::OpenFromShell(const QString& file) {
  if (!m_docs || !m_frame) return;
  m_docs->OpenDocumentFile(file);
  if (m_frame->isMinimized()) m_frame->showNormal();
  m_frame->raise();
  m_frame->activateWindow();
}

void CMyApp::OnAppAbout() {
  CAboutDlg dlg(m_frame->windowIcon(), m_frame.get());
  dlg.DoModal();
}

int CMyApp::ExitInstance() {
  if (m_profile) {
    if (m_frame) SaveOpenMode(*m_profile, m_frame->GetSettings().OpenMode);
    if (m_docs) m_docs->SaveRecentFileList();
    m_profile->Flush();
  }
  return 0;
}

}  // namespace corvella
