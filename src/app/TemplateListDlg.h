// The organiser of the templates: rename a template in place, delete it, or open it for editing.
#pragma once

#include <functional>

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace corvella {

class CTemplateListDlg : public QDialog {
  Q_OBJECT

 public:
  // `templates` is the frame's list, kept in step with every rename and
  // deletion; `openDocument` opens a file as a document and says whether it did.
  CTemplateListDlg(QStringList& templates, QString folder, std::function<bool(const QString& path)> openDocument,
                   QWidget* parent = nullptr);

  QListWidget* List() const { return m_list; }

  void OnRename();
  void OnDelete();
  void OnEdit();
  // The end of a label edit: the file is renamed and the item follows; the
  // list never takes the edited text by itself.
  void EndLabelEdit(int row, const QString& newName);

 private:
  QString PathOf(const QString& name) const;
  int SelectedRow() const;

  QStringList& m_templates;
  QString m_folder;
  std::function<bool(const QString&)> m_openDocument;
  QListWidget* m_list;
};

}  // namespace corvella
