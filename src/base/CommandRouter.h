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
  // From now on runs UpdateActions (and idleUpdated) once the event loop is
  // idle after anything that may change a command's state: input, the focus,
  // a window's activation, a queued call or socket data (a run's end, a
  // worker's result, the debugger), the clipboard, or UpdateSoon. Nothing
  // happening, nothing runs: no timer wakes the program.
  void StartIdleUpdates();
  // An update once the events waiting now are handled; many calls, one update.
  void UpdateSoon();

 signals:
  // After each idle update: the moment to refresh status panes.
  void idleUpdated();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Apply(QAction* action);

  Chain chain_;
  std::map<int, QAction*> actions_;
  QTimer* idle_ = nullptr;
};

}  // namespace corvella
