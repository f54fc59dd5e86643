// The page each view's last CGI run wrote ("<script>_stdout.htm"): deleted when the view goes, or when its next run writes another.
#pragma once

#include <map>
#include <string>

#include <QObject>

namespace corvella {

class CgiOutputPages : public QObject {
  Q_OBJECT

 public:
  CgiOutputPages() = default;
  // `page` becomes `view`'s page; the one it had, when another, is deleted.
  void Track(QObject* view, const std::string& page);

 private:
  std::map<const QObject*, std::string> m_pages;
};

}  // namespace corvella
