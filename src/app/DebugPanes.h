// The debug panes beside the output pane: the current frame's variables, the watched expressions, the call stack, and a line that evaluates an expression at the stop.
#pragma once

#include <string>
#include <vector>

#include <QDockWidget>
#include <QStringList>

#include "run/DebuggerReplies.h"

class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvella {

class DebugPanes : public QDockWidget {
  Q_OBJECT

 public:
  explicit DebugPanes(QWidget* parent);

  // What a stop shows; `variables` and every watch as the debugger's dump.
  // `noPadWalker`: the lexicals cannot be listed, which the pane says.
  void ShowVariables(const std::vector<DumpRow>& rows, bool noPadWalker);
  void ShowWatches(const std::vector<std::vector<DumpRow>>& values);
  // The current position first, then the frames that led to it.
  struct Frame {
    QString call, file;  // file as the debugger names it
    long line = 0;
  };
  void ShowStack(const std::vector<Frame>& frames);
  // Between stops nothing shown is current.
  void SetStopped(bool stopped);

  const QStringList& Watches() const { return m_watches; }

 signals:
  void frameActivated(const QString& file, long line);
  void watchesChanged();
  void expressionEntered(const QString& expression);

 private:
  void AddWatch();
  void RemoveWatch();
  void FillTree(QTreeWidget* tree, const std::vector<DumpRow>& rows, QTreeWidgetItem* under);

  QTabWidget* m_tabs;
  QTreeWidget* m_variables;
  QTreeWidget* m_watchTree;
  QTreeWidget* m_stack;
  QLineEdit* m_watchLine;
  QLineEdit* m_expression;
  QStringList m_watches;
};

// Text the debugger wrote: UTF-8 when it is, Shift_JIS otherwise, as a
// hidden run's output is read.
QString DebuggerText(std::string_view bytes);

}  // namespace corvella
