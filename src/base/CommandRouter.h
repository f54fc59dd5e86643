// Command routing: actions carrying command ids, handlers registered per id, offered in turn to the active view, its document, its frame, the main frame and the application.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QTimer;

namespace corvella {

// What an update handler may set on a command's menu item or button.
struct CmdUI {
  int id = 0;
  bool enabled = true;
  std::optional<bool> checked;
  std::optional<QString> text;
};

// The handlers of one command target, registered per id or per id range.
class CommandMap {
 public:
  using Run = std::function<void(int id)>;
  using Update = std::function<void(CmdUI&)>;

  void On(int id, std::function<void()> run, Update update = {});
  void OnRange(int first, int last, Run run, Update update = {});

  struct Entry {
    Run run;
    Update update;
  };
  const Entry* Find(int id) const;

 private:
  std::map<int, Entry> entries_;
  struct Range {
    int first, last;
    Entry entry;
  };
  std::vector<Range> ranges_;
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  CommandMap& Commands() { return m_commands; }
  const CommandMap& Commands() const { return m_commands; }

 protected:
  CommandMap m_commands;
};

class CommandRouter : public QObject {
  Q_OBJECT

 public:
  using Chain = std::function<std::vector<CommandTarget*>()>;

  explicit CommandRouter(Chain chain, QObject* parent = nullptr);

  // The action of `id`, made on first use; triggering it routes the command.
  QAction* Action(int id);
  // Runs the first handler of the chain; false when nobody handles `id`.
  bool Route(int id);
  // The state a menu item of `id` should show; disabled when nobody handles it.
  CmdUI Query(int id) const;
  // Applies the update handlers to every action (or to those of `menu`).
  void UpdateActions();
  void UpdateMenu(QMenu* menu);
  // Runs UpdateActions on an idle timer, for the toolbar and status panes.
  void StartIdleUpdates(int intervalMs = 250);

 signals:
  // After each idle update: the moment to refresh status panes.
  void idleUpdated();

 private:
  void Apply(QAction* action);

  Chain chain_;
  std::map<int, QAction*> actions_;
  QTimer* idle_ = nullptr;
};

}  // namespace corvella
