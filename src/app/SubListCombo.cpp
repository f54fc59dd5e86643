// The toolbar's drop-down of the active document's package and sub declarations.
#include "app/SubListCombo.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStringList>

#include "document/TextDocument.h"
#include "editor/MyView.h"
#include "res/SubListStrings.h"

namespace corvella {

CSubListCombo::CSubListCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("SubList"));
  setToolTip(QString::fromUtf8(str::kSubListTip));
  setStatusTip(QString::fromUtf8(str::kSubListStatus));
  setAccessibleName(toolTip());
  // Measuring every item of a large script would hold up each refill; the
  // box fits beside the buttons of a window of the first size, and its open
  // list is as wide as its longest item.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(14);
  setMaxVisibleItems(30);
  setFocusPolicy(Qt::ClickFocus);
  setEnabled(false);
  connect(this, &QComboBox::activated, this, &CSubListCombo::GoTo);
}

void CSubListCombo::Follow(CMyView* view) {
  if (!view) {
    m_view = nullptr;
    m_document.reset();
    if (count() > 0) clear();
    setEnabled(false);
    return;
  }
  m_view = view;
  const std::shared_ptr<TextDocument>& doc = view->SharedDocument();
  SubIndex& subs = doc->Subs();
  // Asking for the entries first builds the index of a new document.
  subs.Entries();
  if (m_document.lock() != doc || m_revision != subs.Revision()) {
    m_document = doc;
    Refill(*doc);
  }
  setEnabled(true);
  // The list stays open and as it is while the user picks from it.
  if (QComboBox::view()->isVisible()) return;
  const EditBuffer& buffer = doc->Buffer();
  const std::size_t entry = subs.EntryAt(buffer.LineFromChar(view->Sel().caret));
  const int index = entry == SubIndex::npos ? -1 : static_cast<int>(entry);
  if (index != currentIndex()) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
  }
}

void CSubListCombo::Refill(TextDocument& doc) {
  const std::vector<SubEntry>& entries = doc.Subs().Entries();
  m_revision = doc.Subs().Revision();
  QStringList items;
  items.reserve(static_cast<qsizetype>(entries.size()));
  bool inPackage = false;
  for (const SubEntry& e : entries) {
    const QString name = QString::fromLatin1(e.name.data(), static_cast<qsizetype>(e.name.size()));
    if (e.kind == SubEntry::Kind::kPackage) {
      inPackage = true;
      items << QStringLiteral("package ") + name;
    } else {
      items << (inPackage ? QStringLiteral("  sub ") : QStringLiteral("sub ")) + name;
    }
  }
  const QSignalBlocker quiet(this);
  clear();
  addItems(items);
  setCurrentIndex(-1);
}

void CSubListCombo::GoTo(int index) {
  CMyView* view = m_view;
  if (!view || index < 0) return;
  const std::vector<SubEntry>& entries = view->Document().Subs().Entries();
  if (static_cast<std::size_t>(index) >= entries.size()) return;
  const std::size_t line = entries[static_cast<std::size_t>(index)].line;
  const std::size_t start = view->Buffer().LineIndex(line);
  view->SetSel(start, start);
  // The declaration near the top, with its body below it in view.
  view->SetFirstVisibleLine(static_cast<int>(line > 2 ? line - 2 : 0));
  view->ScrollCaret();
  view->setFocus();
}

}  // namespace corvella
