// The optional background check: a second after typing pauses, a copy of the active script is checked with "perl -c" and its error marks follow the result.
#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include "run/CheckProcess.h"

namespace corvella {

class CMainFrame;
class CMyDoc;
class CommandMap;
class DocManager;
class Profile;

// Off by default, remembered as "BackgroundCheck" in the settings. The copy
// is the buffer as a save would write it, under the script's own name in a
// private temporary folder (so that messages about it are the document's);
// the user's file is never touched. perl runs in the script's folder; at
// most one check runs, a newer one ending it.
class BackgroundCheck : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPauseMs = 1000;

  BackgroundCheck(CMainFrame& frame, DocManager& docs, Profile& profile);
  ~BackgroundCheck() override;

  void RegisterCommands(CommandMap& commands);
  bool On() const { return m_on; }
  // A perl -c is running.
  bool Checking() const { return m_process.Running(); }
  // The folder the copies go to; empty until the first check.
  QString CopyFolder() const { return m_folder ? m_folder->path() : QString(); }

 signals:
  // A check's marks have been applied (for tests and the benchmark).
  void checked();

 private:
  void Toggle();
  void FollowActiveDocument();
  void Schedule();
  void StartCheck();
  void Finished(std::string output, bool stopped);

  CMainFrame& m_frame;
  DocManager& m_docs;
  Profile& m_profile;
  bool m_on = false;
  QTimer m_pause;
  QPointer<CMyDoc> m_watched;  // the active document whose typing is followed
  QPointer<CMyDoc> m_checking;  // the document of the running check
  QString m_copyPath;
  QString m_folderOfScript;
  bool m_pending = false;  // a newer check waits for the running one to end
  std::unique_ptr<QTemporaryDir> m_folder;
  CheckProcess m_process;
};

}  // namespace corvella
