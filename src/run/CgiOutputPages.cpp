// The page each view's last CGI run wrote ("<script>_stdout.htm"): deleted when the view goes, or when its next run writes another.
#include "run/CgiOutputPages.h"

#include <QString>

#include "platform/FileNames.h"

namespace corvella {

void CgiOutputPages::Track(QObject* view, const std::string& page) {
  const auto [at, added] = m_pages.try_emplace(view, page);
  if (added) {
    connect(view, &QObject::destroyed, this, [this, view] {
      const auto gone = m_pages.find(view);
      if (gone == m_pages.end()) return;
      RemoveIfExists(gone->second);
      m_pages.erase(gone);
    });
    return;
  }
  // Where a folder ignores case the two names are one file, the new page.
  if (QString::fromStdString(at->second).compare(QString::fromStdString(page), Qt::CaseInsensitive) != 0) {
    RemoveIfExists(at->second);
  }
  at->second = page;
}

}  // namespace corvella
