// The one way the program hands a file or an address to the desktop.
#include "base/DesktopOpener.h"

#include <utility>

#include <QDesktopServices>
#include <QProcess>

namespace corvella {
namespace {

DesktopOpenHook& Hook() {
  static DesktopOpenHook hook;
  return hook;
}

}  // namespace

void SetDesktopOpenHook(DesktopOpenHook hook) { Hook() = std::move(hook); }

bool OpenWithDesktop(const QUrl& url) {
  if (Hook()) return Hook()(url);
  const QString command = qEnvironmentVariable("CORVELLA_OPENER");
  if (!command.isEmpty()) {
    return QProcess::startDetached(command, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
  }
  return QDesktopServices::openUrl(url);
}

}  // namespace corvella
