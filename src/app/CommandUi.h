// Builds the frame's menus, context menu, toolbar and accelerators from the command resources.
#pragma once

#include <functional>

#include <QIcon>
#include <QKeySequence>
#include <QList>

#include "app/CommandTable.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace corvella {

// The frame's action for a command id (the action's data holds the id), or
// null when the frame has none; the builders leave such ids out.
using ActionLookup = std::function<QAction*(int id)>;

// Gives the action the texts of command `id`: the caption with the shortcut
// text after a tab (which a menu shows right-aligned), the prompt as status tip
// and the tooltip. An id without texts leaves the action as it is.
void ApplyCommandText(QAction* action, int id);

// Replaces the bar's menus by the popups of menu 128 or 129 and returns them
// in order. The popups of a previous build are deleted once control returns
// to the event loop, so a command chosen from one of them may rebuild the bar.
QList<QMenu*> BuildMenuBar(QMenuBar* bar, int menuId, const ActionLookup& actionFor);

// The popup of menu 138, owned by `parent`. Its items show the captions
// without shortcut text, so they are stand-ins of their own: choosing one
// triggers the frame's action, and each follows its action's enabled,
// checked and visible state.
QMenu* BuildContextMenu(QWidget* parent, const ActionLookup& actionFor);

// Fills the bar with toolbar 128: 16 x 15 images, the texts of each command.
void BuildToolBar(QToolBar* bar, const ActionLookup& actionFor);

// The image of a toolbar command; a null icon for a command without a button.
QIcon ToolbarIcon(int id);

QKeySequence KeySequenceOf(const Accelerator& accel);

// Puts the keys of accelerator table 128 on the actions (the key the menu
// shows first) and adds the actions to `window`, so that the keys work
// whichever menu is shown, and for commands that are in no menu at all.
void InstallAccelerators(QWidget* window, const ActionLookup& actionFor);

}  // namespace corvella
