// The one way the program hands a file or an address to the desktop: the CGI page, the read-me, the about box's links.
#pragma once

#include <QUrl>

class QWidget;

namespace corvella {

// Opens `url` with the desktop's default handler; false when nothing took it.
// With CORVELLA_OPENER set in the environment, that command is started with
// the local path (or the address) as its one argument instead, so that a
// program under test never starts a real browser.
bool OpenWithDesktop(const QUrl& url);
// The same for a request from `from`: the responders served to its window,
// if any, take the address in place of the desktop.
bool OpenWithDesktop(const QWidget* from, const QUrl& url);

}  // namespace corvella
