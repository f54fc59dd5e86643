// The toolbar's drop-down of the active document's package and sub declarations.
#pragma once

#include <cstdint>
#include <memory>

#include <QComboBox>
#include <QPointer>

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
  // the caret. Cheap when nothing changed.
  void Follow(CMyView* view);

 private:
  void Refill(TextDocument& doc);
  void GoTo(int index);

  QPointer<CMyView> m_view;
  std::weak_ptr<TextDocument> m_document;
  std::uint64_t m_revision = 0;
};

}  // namespace corvella
