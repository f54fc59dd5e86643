// The emulated CGI call: the CGI dialog, the script run with the CGI environment, its standard output into "<script>_stdout.htm", which the desktop then opens.
#pragma once

#include <string>

#include <QPointer>

#include "run/ScriptRun.h"

class QObject;
class QWidget;

namespace corvella {

class CgiOutputPages;
class Profile;
struct Settings;

class CgiScriptRun {
 public:
  // `script` holds the run copy already; `view` is whose page the output is.
  CgiScriptRun(std::string script, QObject* view, Settings& settings, Profile& profile, CgiOutputPages& pages,
               QWidget* window, ScriptRun::PutBack putBack);

  // The window keeps painting during the run, which can be broken off (its
  // page is then not opened); the script file is put back whatever happens.
  void Run();

 private:
  std::string m_script;
  QObject* m_view;
  Settings& m_settings;
  Profile& m_profile;
  CgiOutputPages& m_pages;
  QPointer<QWidget> m_window;
  ScriptRun::PutBack m_putBack;
};

}  // namespace corvella
