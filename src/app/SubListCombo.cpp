// The toolbar's drop-down of the active document's package and sub declarations.
#include "app/SubListCombo.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QListView>
#include <QSignalBlocker>

#include "app/SubListModel.h"
#include "document/TextDocument.h"
#include "editor/MyView.h"
#include "res/SubListStrings.h"

namespace corvella {

CSubListCombo::CSubListCombo(QWidget* parent) : QComboBox(parent), m_model(new SubListModel(this)) {
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
  setModel(m_model);
  // Rows of one height: the open list never measures them all.
  auto* list = new QListView(this);
  list->setUniformItemSizes(true);
  setView(list);
  m_build.setSingleShot(true);
  m_build.setInterval(0);
  connect(&m_build, &QTimer::timeout, this, &CSubListCombo::BuildSlice);
  setFocusPolicy(Qt::ClickFocus);
  setEnabled(false);
  connect(this, &QComboBox::activated, this, &CSubListCombo::GoTo);
}

void CSubListCombo::Follow(CMyView* view) {
  if (!view) {
    m_view = nullptr;
    m_document.reset();
    m_build.stop();
    if (count() > 0) m_model->Reset(nullptr);
    setEnabled(false);
    return;
  }
  m_view = view;
  const std::shared_ptr<TextDocument>& doc = view->SharedDocument();
  SubIndex& subs = doc->Subs();
  if (!subs.Built()) {
    if (count() > 0) m_model->Reset(nullptr);
    m_document.reset();
    setEnabled(false);
    if (!m_build.isActive()) m_build.start();
    return;
  }
  if (m_document.lock() != doc || m_revision != subs.Revision()) {
    m_document = doc;
    m_revision = subs.Revision();
    const QSignalBlocker quiet(this);
    m_model->Reset(doc);
    setCurrentIndex(-1);
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

// About a frame's worth of reading, then the events queued meanwhile.
void CSubListCombo::BuildSlice() {
  CMyView* view = m_view;
  if (!view) return;
  SubIndex& subs = view->Document().Subs();
  QElapsedTimer slice;
  slice.start();
  while (!subs.BuildSome(2048)) {
    if (slice.elapsed() >= 8) {
      m_build.start();
      return;
    }
  }
  Follow(view);
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
