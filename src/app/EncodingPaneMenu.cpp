// The popup menus of the status bar's encoding and newline panes: the codes of the document dialogs, a choice reopening the document in it.
#include "app/EncodingPaneMenu.h"

#include <span>

#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include "editor/MyDoc.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {

QMenu* MakeCodeMenu(int paneId, CMyDoc& doc, QWidget* parent) {
  std::span<const char* const> names;
  int current = 0;
  if (paneId == res::ID_INDICATOR_KANJI) {
    names = str::kKanjiCodeNames;
    current = doc.KanjiCode();
  } else if (paneId == res::ID_INDICATOR_CRLF) {
    names = str::kNewlineCodeNames;
    current = doc.CrLf();
  } else {
    return nullptr;
  }
  auto* menu = new QMenu(parent);
  // Deleted later, not on hiding: the menu hides before its item is triggered.
  QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
  auto* group = new QActionGroup(menu);  // one code of several: drawn as radio items
  for (int code = 0; code < static_cast<int>(names.size()); ++code) {
    QAction* item = menu->addAction(QString::fromUtf8(names[code]));
    item->setCheckable(true);
    group->addAction(item);
    item->setChecked(code == current);
    // The reopen may ask and report; it runs once the menu has gone.
    QObject::connect(item, &QAction::triggered, &doc, [&doc, paneId, code] {
      QTimer::singleShot(0, &doc, [&doc, paneId, code] { ChooseCode(doc, paneId, code); });
    });
  }
  return menu;
}

void PopupCodeMenu(int paneId, CMyDoc& doc, QWidget* pane) {
  QMenu* menu = MakeCodeMenu(paneId, doc, pane);
  if (!menu) return;
  // The status bar is at the window's foot, so the menu opens upwards.
  menu->popup(pane->mapToGlobal(QPoint(0, -menu->sizeHint().height())));
}

bool ChooseCode(CMyDoc& doc, int paneId, int code) {
  return paneId == res::ID_INDICATOR_KANJI ? doc.ReopenInEncoding(static_cast<EncodingCode>(code))
                                              : doc.ReopenWithNewline(static_cast<NewlineCode>(code));
}

}  // namespace corvella
