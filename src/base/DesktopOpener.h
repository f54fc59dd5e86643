// The one way the program hands a file or an address to the desktop: the CGI page, the read-me, the about box's links.
#pragma once

#include <functional>

#include <QUrl>

namespace corvella {

// Opens `url` with the desktop's default handler; false when nothing took it.
// With CORVELLA_OPENER set in the environment, that command is started with
// the local path (or the address) as its one argument instead, so that a
// program under test never starts a real browser.
bool OpenWithDesktop(const QUrl& url);

// Receives the address in place of the desktop while set (for tests in the
// same process); its result is OpenWithDesktop's.
using DesktopOpenHook = std::function<bool(const QUrl&)>;
void SetDesktopOpenHook(DesktopOpenHook hook);

}  // namespace corvella
