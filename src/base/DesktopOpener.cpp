// The one way the program hands a file or an address to the desktop.
#include "base/DesktopOpener.h"

#include <QDesktopServices>
#include <QProcess>

#include "base/Responders.h"

namespace corvella {

bool OpenWithDesktop(const QWidget* from, const QUrl& url) {
  if (const Responders* responders = Responders::For(from)) return responders->OpenUrl(url);
  return OpenWithDesktop(url);
}

bool OpenWithDesktop(const QUrl& url) {
  const QString command = qEnvironmentVariable("CORVELLA_OPENER");
  if (!command.isEmpty()) {
    return QProcess::startDetached(command, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
  }
  return QDesktopServices::openUrl(url);
}

}  // namespace corvella
