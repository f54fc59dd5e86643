// The application object: start-up in its fixed order, the start-up mode, the command line, and shut-down.
#pragma once

#include <memory>

#include <QString>
#include <QStringList>

namespace corvella {

class CMainFrame;
class DocManager;
class QSettingsProfile;
class Responders;

class CMyApp {
 public:
  CMyApp();
  ~CMyApp();

  // The start-up sequence; false ends the program.
  bool InitInstance(const QStringList& files);
  // Writes the start-up mode and the recent-file list; answers the exit code.
  int ExitInstance();

  // A file handed over by a later start: opened and the window brought forward.
  void OpenFromShell(const QString& file);

  CMainFrame* MainFrame() const { return m_frame.get(); }
  // Answer the program's messages and dialogs, before the main window and in it.
  Responders& GetResponders() { return *m_responders; }
  DocManager* Documents() const { return m_docs.get(); }

 private:
  void OnAppAbout();

  std::unique_ptr<Responders> m_responders;
  std::unique_ptr<QSettingsProfile> m_profile;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<DocManager> m_docs;
};

}  // namespace corvella
