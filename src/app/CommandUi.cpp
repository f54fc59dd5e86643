// Builds the frame's menus, context menu, toolbar and accelerators from the command resources.
#include "app/CommandUi.h"
#include "app/DebugToolbarIcons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QImage>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>

#include "res/resource.h"

// Resources compiled into a static library are only linked when referenced.
static void InitCommandResources() { Q_INIT_RESOURCE(resources); }

namespace corvella {

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, const ActionLookup& actionFor);

void AddItem(QMenu* menu, const MenuItem& item, const ActionLookup& actionFor) {
  switch (item.kind) {
    case MenuItem::Kind::Separator: menu->addSeparator(); break;
    case MenuItem::Kind::Popup: AddItems(menu->addMenu(Utf8(item.caption)), item.items, actionFor); break;
    case MenuItem::Kind::Command:
      if (QAction* action = actionFor(item.id)) {
        ApplyCommandText(action, item.id);
        menu->addAction(action);
      }
      break;
  }
}

void AddItems(QMenu* menu, const std::vector<MenuItem>& items, const ActionLookup& actionFor) {
  for (const MenuItem& item : items) AddItem(menu, item, actionFor);
}

// A context-menu item: the bare caption, forwarding to the frame's action.
void AddStandIn(QMenu* menu, QAction* target, int id) {
  auto* standIn = new QAction(menu);
  if (const CommandText* text = FindCommandText(id)) {
    standIn->setText(Utf8(text->caption));
    standIn->setStatusTip(Utf8(text->prompt));
  }
  standIn->setData(target->data());
  auto follow = [standIn, target] {
    standIn->setCheckable(target->isCheckable());
    standIn->setChecked(target->isChecked());
    standIn->setEnabled(target->isEnabled());
    standIn->setVisible(target->isVisible());
  };
  follow();
  QObject::connect(target, &QAction::changed, standIn, follow);
  QObject::connect(standIn, &QAction::triggered, target, [target, follow] {
    target->trigger();
    follow();  // a checkable stand-in toggled itself; the action's state decides
  });
  menu->addAction(standIn);
}

void AddStandIns(QMenu* menu, const std::vector<MenuItem>& items, const ActionLookup& actionFor) {
  for (const MenuItem& item : items) {
    switch (item.kind) {
      case MenuItem::Kind::Separator: menu->addSeparator(); break;
      case MenuItem::Kind::Popup: AddStandIns(menu->addMenu(Utf8(item.caption)), item.items, actionFor); break;
      case MenuItem::Kind::Command:
        if (QAction* action = actionFor(item.id)) {
          ApplyCommandText(action, item.id);
          AddStandIn(menu, action, item.id);
        }
        break;
    }
  }
}

const QPixmap& ToolbarStrip() {
  static const QPixmap strip = [] {
    InitCommandResources();
    return QPixmap(QStringLiteral(":/corvella/toolbar.png"));
  }();
  return strip;
}

Qt::Key QtKey(std::uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<Qt::Key>(key);  // same codes
  if (key >= vk::kF1 && key <= vk::kF12) return static_cast<Qt::Key>(Qt::Key_F1 + (key - vk::kF1));
  switch (key) {
    case vk::kBack: return Qt::Key_Backspace;
    case vk::kPrior: return Qt::Key_PageUp;
    case vk::kNext: return Qt::Key_PageDown;
    case vk::kInsert: return Qt::Key_Insert;
    case vk::kDelete: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
  }
}

}  // namespace

void ApplyCommandText(QAction* action, int id) {
  const CommandText* text = FindCommandText(id);
  if (!action || !text) return;
  QString caption = Utf8(text->caption);
  if (!text->shortcut.empty()) caption += u'\t' + Utf8(text->shortcut);
  action->setText(caption);
  action->setStatusTip(Utf8(text->prompt));
  if (!text->tooltip.empty()) action->setToolTip(Utf8(text->tooltip));
  if (!action->data().isValid()) action->setData(id);
}

QList<QMenu*> BuildMenuBar(QMenuBar* bar, int menuId, const ActionLookup& actionFor) {
  const MenuResource& resource = FindMenuResource(menuId);
  QList<QMenu*> previous;
  for (QAction* entry : bar->actions()) {
    if (QMenu* menu = entry->menu(); menu && menu->parent() == bar) previous << menu;
  }
  bar->clear();
  for (QMenu* menu : previous) menu->deleteLater();

  QList<QMenu*> popups;
  for (const MenuItem& popup : resource.popups) {
    QMenu* menu = bar->addMenu(Utf8(popup.caption));
    AddItems(menu, popup.items, actionFor);
    popups << menu;
  }
  return popups;
}

QMenu* BuildContextMenu(QWidget* parent, const ActionLookup& actionFor) {
  const MenuResource& resource = FindMenuResource(res::IDR_CONTEXT);
  auto* menu = new QMenu(parent);
  AddStandIns(menu, resource.popups.front().items, actionFor);
  return menu;
}

void BuildToolBar(QToolBar* bar, const ActionLookup& actionFor) {
  bar->clear();
  bar->setIconSize(QSize(kImageWidth, kImageHeight));
  for (const int id : ToolbarButtons()) {
    if (id == res::ID_SEPARATOR) {
      bar->addSeparator();
    } else if (QAction* action = actionFor(id)) {
      ApplyCommandText(action, id);
      action->setIcon(ToolbarIcon(id));
      action->setIconVisibleInMenu(false);  // menus show captions only
      bar->addAction(action);
    }
  }
}

namespace {

// The greyed look of a disabled button: the image's dark parts in shadow grey
// over a white copy one pixel down and right. Qt's own lightening leaves
// black line drawings almost as dark as when they are enabled.
QPixmap Greyed(const QPixmap& image) {
  const QImage source = image.toImage().convertToFormat(QImage::Format_ARGB32);
  QImage out(source.size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  const auto dark = [&source](int x, int y) {
    if (x < 0 || y < 0 || x >= source.width() || y >= source.height()) return false;
    const QRgb p = source.pixel(x, y);
    return qAlpha(p) > 127 && qGray(p) < 192;
  };
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      if (dark(x, y)) out.setPixel(x, y, qRgb(128, 128, 128));
      else if (dark(x - 1, y - 1)) out.setPixel(x, y, qRgb(255, 255, 255));
    }
  }
  return QPixmap::fromImage(out);
}

}  // namespace

QIcon ToolbarIcon(int id) {
  int index = 0;
  for (const int button : ToolbarButtons()) {
    if (button == id && id != res::ID_SEPARATOR) {
      const QPixmap& strip = ToolbarStrip();
      const QPixmap image = strip.width() >= (index + 1) * kImageWidth
                                ? strip.copy(index * kImageWidth, 0, kImageWidth, kImageHeight)
                                : DebugToolbarImage(id);
      if (image.isNull()) return {};
      QIcon icon(image);
      icon.addPixmap(Greyed(image), QIcon::Disabled);
      return icon;
    }
    if (button != res::ID_SEPARATOR) ++index;
  }
  return {};
}

QKeySequence KeySequenceOf(const Accelerator& accel) {
  const Qt::Key key = QtKey(accel.key);
  if (key == Qt::Key_unknown) return {};
  Qt::KeyboardModifiers modifiers;
  if (accel.modifiers & kAccelControl) modifiers |= Qt::ControlModifier;
  if (accel.modifiers & kAccelShift) modifiers |= Qt::ShiftModifier;
  if (accel.modifiers & kAccelAlt) modifiers |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(modifiers, key));
}

void InstallAccelerators(QWidget* window, const ActionLookup& actionFor) {
  QList<int> done;
  for (const Accelerator& accel : AcceleratorTable()) {
    if (done.contains(accel.id)) continue;
    done << accel.id;
    QAction* action = actionFor(accel.id);
    if (!action) continue;
    QList<QKeySequence> keys;
    for (const Accelerator& each : AcceleratorsOf(accel.id)) keys << KeySequenceOf(each);
    action->setShortcuts(keys);
    if (!action->data().isValid()) action->setData(accel.id);
    if (!window->actions().contains(action)) window->addAction(action);
  }
}

}  // namespace corvella
