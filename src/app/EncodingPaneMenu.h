// The popup menus of the status bar's encoding and newline panes: the codes of the document dialogs, a choice reopening the document in it.
#pragma once

class QMenu;
class QWidget;

namespace corvella {

class CMyDoc;

// The codes for pane `paneId` (ID_INDICATOR_KANJI or ID_INDICATOR_CRLF; any
// other id gives null) in the order and words of the file dialog's lists,
// `doc`'s own checked; an item calls ChooseCode. The menu deletes itself
// once hidden.
QMenu* MakeCodeMenu(int paneId, CMyDoc& doc, QWidget* parent);

// Shows MakeCodeMenu's menu just above `pane`, without waiting for a choice.
void PopupCodeMenu(int paneId, CMyDoc& doc, QWidget* pane);

// What an item does: reopens `doc` in encoding `code` (encoding pane) or
// with newline code `code` (newline pane). False when nothing changed.
bool ChooseCode(CMyDoc& doc, int paneId, int code);

}  // namespace corvella
