// The Perl documentation pane beside the output pane: what perldoc says of the word at the caret or of what is typed in its search line.
#pragma once

#include <memory>

#include <QDockWidget>

class QLineEdit;
class QTextBrowser;

namespace corvella {

class CMainFrame;
class CommandMap;
class PerldocRun;

class PerldocPane : public QDockWidget {
  Q_OBJECT

 public:
  explicit PerldocPane(CMainFrame& frame);
  ~PerldocPane() override;

  // F1 (the word at the active view's caret) and the pane's show/hide item.
  void RegisterCommands(CommandMap& commands);

  // Shows the pane and looks `query` up; "検索中..." shows at once and a
  // lookup still running is given up.
  void LookUp(const QString& query);
  // The word at the caret of the active view; what the search line holds
  // when the focus is in the pane. Without a word the search line waits.
  void LookUpCaretWord();

  QTextBrowser& Browser() const { return *m_browser; }
  QLineEdit& SearchLine() const { return *m_search; }

 private:
  void ShowPane();
  void ShowMessage(const QString& text);
  // perldoc's text of `page` (the word looked up), at `section` when given.
  void ShowPage(const QString& text, const QString& section, const QString& page);

  CMainFrame& m_frame;
  QLineEdit* m_search;
  QTextBrowser* m_browser;
  std::unique_ptr<PerldocRun> m_run;
  bool m_placed = false;  // sized beside the output pane once
};

}  // namespace corvella
