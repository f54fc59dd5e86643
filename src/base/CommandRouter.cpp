// Command routing: actions carrying command ids, handlers registered per id, offered in turn to the active view, its document, its frame, the main frame and the application.
#include "base/CommandRouter.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

namespace corvella {

void CommandMap::On(int id, std::function<void()> run, Update update) {
  entries_[id] = Entry{[run = std::move(run)](int) { if (run) run(); }, std::move(update)};
}

void CommandMap::OnRange(int first, int last, Run run, Update update) {
  ranges_.push_back(Range{first, last, Entry{std::move(run), std::move(update)}});
}

const CommandMap::Entry* CommandMap::Find(int id) const {
  if (const auto it = entries_.find(id); it != entries_.end()) return &it->second;
  for (const Range& r : ranges_) {
    if (id >= r.first && id <= r.last) return &r.entry;
  }
  return nullptr;
}

CommandRouter::CommandRouter(Chain chain, QObject* parent) : QObject(parent), chain_(std::move(chain)) {}

QAction* CommandRouter::Action(int id) {
  auto it = actions_.find(id);
  if (it != actions_.end()) return it->second;
  auto* action = new QAction(this);
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, id] { Route(id); });
  actions_.emplace(id, action);
  return action;
}

bool CommandRouter::Route(int id) {
  for (CommandTarget* target : chain_()) {
    if (!target) continue;
    if (const CommandMap::Entry* entry = target->Commands().Find(id); entry && entry->run) {
      // Disabled commands do nothing, whatever key or button asked for them.
      CmdUI ui;
      ui.id = id;
      if (entry->update) entry->update(ui);
      if (!ui.enabled) return false;
      entry->run(id);
      return true;
    }
  }
  return false;
}

CmdUI CommandRouter::Query(int id) const {
  CmdUI ui;
  ui.id = id;
  for (CommandTarget* target : chain_()) {
    if (!target) continue;
    if (const CommandMap::Entry* entry = target->Commands().Find(id)) {
      if (entry->update) entry->update(ui);
      return ui;
    }
  }
  ui.enabled = false;
  return ui;
}

void CommandRouter::Apply(QAction* action) {
  const CmdUI ui = Query(action->data().toInt());
  action->setEnabled(ui.enabled);
  if (ui.checked) {
    action->setCheckable(true);
    action->setChecked(*ui.checked);
  }
  if (ui.text) action->setText(*ui.text);
}

void CommandRouter::UpdateActions() {
  for (auto& [id, action] : actions_) Apply(action);
}

void CommandRouter::UpdateMenu(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    if (action->menu()) UpdateMenu(action->menu());
    else if (action->data().isValid() && actions_.count(action->data().toInt())) Apply(action);
  }
}

void CommandRouter::StartIdleUpdates() {
  if (idle_) return;
  idle_ = new QTimer(this);
  idle_->setSingleShot(true);
  idle_->setInterval(0);
  connect(idle_, &QTimer::timeout, this, [this] {
    UpdateActions();
    emit idleUpdated();
  });
  if (QGuiApplication::clipboard()) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CommandRouter::UpdateSoon);
  }
  qApp->installEventFilter(this);
  UpdateSoon();
}

void CommandRouter::UpdateSoon() {
  if (idle_ && !idle_->isActive()) idle_->start();
}

// Painting, layout, timers and mouse moves change no command's state, and
// leaving them out keeps the update itself, which repaints buttons and
// panes, from asking for another one.
bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::MetaCall:
    case QEvent::SockAct:
    case QEvent::Close:
      UpdateSoon();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace corvella
