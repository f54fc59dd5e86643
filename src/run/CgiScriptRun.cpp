// The emulated CGI call: the CGI dialog, the script run with the CGI environment, its standard output into "<script>_stdout.htm", which the desktop then opens.
#include "run/CgiScriptRun.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QWidget>

#include "base/DesktopOpener.h"
#include "base/MessageBox.h"
#include "base/Settings.h"
#include "platform/AtomicFile.h"
#include "platform/ChildEnvironment.h"
#include "platform/ChildProcess.h"
#include "platform/FileNames.h"
#include "platform/PathParts.h"
#include "res/Strings.h"
#include "run/CgiDlg.h"
#include "run/CgiForm.h"
#include "run/CgiOutputPages.h"
#include "run/ChildWaitDlg.h"
#include "run/RunCommand.h"

namespace corvella {

CgiScriptRun::CgiScriptRun(std::string script, QObject* view, Settings& settings, Profile& profile,
                           CgiOutputPages& pages, QWidget* window, ScriptRun::PutBack putBack)
    : m_script(std::move(script)),
      m_view(view),
      m_settings(settings),
      m_profile(profile),
      m_pages(pages),
      m_window(window),
      m_putBack(std::move(putBack)) {}

void CgiScriptRun::Run() {
  const std::string& script = m_script;
  const std::string folder = GetFolderPart(script);
  const std::string name = GetFileTitlePart(script);
  QDir::setCurrent(QFile::decodeName(QByteArray::fromStdString(folder)));
  const std::string interpreter = InterpreterName(m_settings.UsePerl);
  const QString base = QString::fromStdString(interpreter + " " + name);
  CCgiDlg dialog(m_profile, m_window);
  if (dialog.exec() != QDialog::Accepted) {
    m_putBack(script);
    return;
  }
  ChildEnvironment& environment = ChildEnvironment::Shared();
  const std::optional<std::string> savedPath = environment.Get("PATH");
  environment.PrependToPath(m_settings.m_szPerlDir);
  // The three further variables stay set for later runs, as the user asked.
  for (int i = 0; i < 3; ++i) {
    if (!dialog.m_strOtherName[i].isEmpty()) {
      environment.Set(dialog.m_strOtherName[i].toStdString(), dialog.m_strOtherValue[i].toStdString());
    }
  }
  const std::string arguments = dialog.m_strCmdArgs.toStdString();
  const CgiCall call = PlanCgiCall(dialog.m_nMethod, dialog.m_strQuery, arguments);
  for (const auto& [variable, value] : call.environment) environment.Set(variable, value);

  const std::string output = script + "_stdout.htm";
  m_pages.Track(m_view, output);
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = RunArgv(interpreter, "", name, call.withArguments ? std::optional<std::string>(arguments) : std::nullopt);
  options.workingDir = folder;
  options.environment = environment.Entries();
  options.out = ChildProcess::Stream::File;
  options.outPath = output;
  options.err = ChildProcess::Stream::Inherit;
  int error = call.hasInput ? WriteFileAtomically(m_settings.m_szStdinPath, call.input) : 0;
  bool started = error == 0;
  if (call.hasInput) {
    options.in = ChildProcess::Stream::File;
    options.inPath = m_settings.m_szStdinPath;
  }
  if (started) started = child.Start(options, &error);
  bool brokenOff = false;  // the page is then only what the script got to print: not shown
  if (started) {
    Wakeup stop;
    brokenOff = !WaitForChild(
        m_window,
        [&] { child.WaitUnlessStopped(stop); },
        [&stop] { stop.Signal(); });
  }
  if (call.hasInput) RemoveIfExists(m_settings.m_szStdinPath);
  const QString page = QFile::decodeName(QByteArray::fromStdString(output));
  if (!started) {
    ShowMessage(m_window, QString::fromUtf8(str::kDisplayCannotStart).arg(base, QString::number(error)), MsgIcon::Exclamation);
  } else if (!brokenOff && !OpenWithDesktop(m_window, QUrl::fromLocalFile(page))) {
    ShowMessage(m_window, QString::fromUtf8(str::kDisplayCannotStart).arg(page, QString::number(0)), MsgIcon::Exclamation);
  }
  for (const char* variable : {"REQUEST_METHOD", "QUERY_STRING", "CONTENT_LENGTH"}) environment.Set(variable, "");
  environment.Set("PATH", savedPath);
  m_putBack(script);
}

}  // namespace corvella
