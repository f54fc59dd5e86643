// The toolbar's drop-down of the active document's package and sub declarations.
#pragma once

#include <cstdint>
#include <memory>

#include <QComboBox>
#include <QPointer>
#include <QTimer>

namespace corvella {

class CMyView;
class TextDocument;

// Lists what the document's SubIndex holds, subs indented under the package
// above them, and shows the declaration at or above the caret as the
// current item. Choosing an item puts the caret at the start of its line,
// two lines below the top of the view, and gives the view the focus back.
class CSubListCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit CSubListCombo(QWidget* parent = nullptr);

  // Follows `view` (null: no document): fills the list again when the
  // document or its declarations changed, and moves the current item to
  // the caret. Cheap when nothing changed. An index not built yet is built
  // a slice at a time between events, the list empty and disabled meanwhile.
  void Follow(CMyView* view);

 private:
  void BuildSlice();
  void GoTo(int index);

  class SubListModel* m_model;
  QTimer m_build;
  QPointer<CMyView> m_view;
  std::weak_ptr<TextDocument> m_document;
  std::uint64_t m_revision = 0;
};

}  // namespace corvella
