// The rows of the sub list: a view of a document's SubIndex entries, made into text only when shown.
#pragma once

#include <memory>

#include <QAbstractListModel>

namespace corvella {

class TextDocument;

// A large script has hundreds of thousands of declarations: rows are not
// copied into items but read from the index whenever the list asks.
class SubListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows the entries `doc` holds now (null: none); call again after they change.
  void Reset(const std::shared_ptr<TextDocument>& doc);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::weak_ptr<TextDocument> m_document;
  int m_rows = 0;
  int m_firstPackage = -1;  // subs after it are indented under their package
};

}  // namespace corvella
