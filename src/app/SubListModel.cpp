// The rows of the sub list, read from the document's SubIndex as they are shown.
#include "app/SubListModel.h"

#include <algorithm>
#include <climits>

#include "document/TextDocument.h"

namespace corvella {

void SubListModel::Reset(const std::shared_ptr<TextDocument>& doc) {
  beginResetModel();
  m_document = doc;
  m_rows = 0;
  m_firstPackage = -1;
  if (doc) {
    const std::vector<SubEntry>& entries = doc->Subs().Entries();
    m_rows = static_cast<int>(std::min<std::size_t>(entries.size(), INT_MAX));
    const auto package = std::find_if(entries.begin(), entries.end(),
                                      [](const SubEntry& e) { return e.kind == SubEntry::Kind::kPackage; });
    if (package != entries.end()) m_firstPackage = static_cast<int>(package - entries.begin());
  }
  endResetModel();
}

int SubListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

QVariant SubListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const std::shared_ptr<TextDocument> doc = m_document.lock();
  // A reload may have sent the index back to building since the last reset.
  if (!doc || !index.isValid() || !doc->Subs().Built()) return {};
  // An edit may have changed the entries since the last reset.
  const std::vector<SubEntry>& entries = doc->Subs().Entries();
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= entries.size()) return {};
  const SubEntry& e = entries[row];
  const QString name = QString::fromLatin1(e.name.data(), static_cast<qsizetype>(e.name.size()));
  if (e.kind == SubEntry::Kind::kPackage) return QStringLiteral("package ") + name;
  const bool inPackage = m_firstPackage >= 0 && index.row() > m_firstPackage;
  return (inPackage ? QStringLiteral("  sub ") : QStringLiteral("sub ")) + name;
}

}  // namespace corvella
