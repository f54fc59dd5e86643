// The organiser of the templates: rename a template in place, delete it, or open it for editing.
#include "app/TemplateListDlg.h"

#include <cerrno>
#include <cstdio>

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/TemplateMenus.h"
#include "base/LabelText.h"
#include "base/MessageBox.h"
#include "res/Strings.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Hands the edited label to the dialog instead of writing it into the list.
class LabelEditDelegate : public QStyledItemDelegate {
 public:
  LabelEditDelegate(CTemplateListDlg* dialog) : QStyledItemDelegate(dialog), m_dialog(dialog) {}

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (auto* field = qobject_cast<QLineEdit*>(editor)) m_dialog->EndLabelEdit(index.row(), field->text());
  }

 private:
  CTemplateListDlg* m_dialog;
};

}  // namespace

CTemplateListDlg::CTemplateListDlg(QStringList& templates, QString folder,
                                   std::function<bool(const QString& path)> openDocument, QWidget* parent)
    : QDialog(parent), m_templates(templates), m_folder(std::move(folder)), m_openDocument(std::move(openDocument)) {
  setWindowTitle(Text(str::kTemplateListTitle));
  auto* text = new QLabel(this);
  // Some thirty characters a line keeps the dialog about as wide as its list.
  FitLabelText(text, Text(str::kTemplateListText), text->fontMetrics().horizontalAdvance(QChar(0x3042)) * 32);
  m_list = new QListWidget(this);
  // Names run down in columns, as a file list in list mode does.
  m_list->setViewMode(QListView::ListMode);
  m_list->setFlow(QListView::TopToBottom);
  m_list->setWrapping(true);
  m_list->setResizeMode(QListView::Adjust);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  m_list->setItemDelegate(new LabelEditDelegate(this));
  for (const QString& name : m_templates) {
    auto* item = new QListWidgetItem(name, m_list);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  m_list->setMinimumSize(360, 180);

  auto* close = new QPushButton(Text(str::kTemplateListClose), this);
  auto* rename = new QPushButton(Text(str::kTemplateListRename), this);
  auto* remove = new QPushButton(Text(str::kTemplateListDelete), this);
  auto* edit = new QPushButton(Text(str::kTemplateListEdit), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(rename, &QPushButton::clicked, this, &CTemplateListDlg::OnRename);
  connect(remove, &QPushButton::clicked, this, &CTemplateListDlg::OnDelete);
  connect(edit, &QPushButton::clicked, this, &CTemplateListDlg::OnEdit);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {close, rename, remove, edit}) buttons->addWidget(button);
  buttons->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(m_list, 1);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(body);
}

QString CTemplateListDlg::PathOf(const QString& name) const {
  return m_folder + QLatin1Char('/') + name + QStringLiteral(".pl");
}

int CTemplateListDlg::SelectedRow() const {
  const QList<QListWidgetItem*> selected = m_list->selectedItems();
  return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void CTemplateListDlg::OnRename() {
  m_list->setFocus();
  if (const int row = SelectedRow(); row >= 0) m_list->editItem(m_list->item(row));
}

void CTemplateListDlg::EndLabelEdit(int row, const QString& newName) {
  QListWidgetItem* item = m_list->item(row);
  if (!item || newName.isEmpty() || newName == item->text()) return;
  if (!TemplateMenus::IsUsableName(newName)) {
    ShowMessage(this, Text(str::kTemplateBadName).arg(newName), MsgIcon::Exclamation);
    return;
  }
  const QString from = PathOf(item->text());
  const QString to = PathOf(newName);
  if (QFileInfo::exists(to)) {
    // Only a change of letter case of the same file is let through silently.
    if (QString::compare(from, to, Qt::CaseInsensitive) != 0) {
      ShowMessage(this, Text(str::kTemplateNameTaken), MsgIcon::Exclamation);
    }
    return;
  }
  if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
    const int error = errno;
    ShowMessage(this,
                Text(str::kTemplateRenameFailed)
                    .arg(QDir::toNativeSeparators(from), SystemErrorReason(error), QString::number(error)),
                MsgIcon::Exclamation);
    return;
  }
  item->setText(newName);
  if (row < m_templates.size()) m_templates[row] = newName;
}

void CTemplateListDlg::OnDelete() {
  m_list->setFocus();
  const int row = SelectedRow();
  if (row < 0) return;
  const QString name = m_list->item(row)->text();
  if (ShowMessage(this, Text(str::kTemplateDeleteAsk).arg(name), MsgIcon::Exclamation, MsgButtons::YesNo) ==
      MsgResult::No) {
    return;
  }
  const QString path = PathOf(name);
  if (std::remove(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
    const int error = errno;
    ShowMessage(this,
                Text(str::kTemplateDeleteFailed)
                    .arg(QDir::toNativeSeparators(path), SystemErrorReason(error), QString::number(error)),
                MsgIcon::Exclamation);
    return;
  }
  delete m_list->takeItem(row);
  if (row < m_templates.size()) m_templates.removeAt(row);
}

void CTemplateListDlg::OnEdit() {
  m_list->setFocus();
  const int row = SelectedRow();
  if (row < 0) return;
  if (m_openDocument && m_openDocument(PathOf(m_list->item(row)->text()))) {
    accept();
  } else {
    ShowMessage(this, Text(str::kTemplateCannotEdit), MsgIcon::Exclamation);
  }
}

}  // namespace corvella
