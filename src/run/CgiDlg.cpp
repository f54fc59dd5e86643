// The CGI dialog: how the form data go to the script, its command-line arguments, the form variables and three further environment variables, all remembered.
#include "run/CgiDlg.h"

#include <cstdio>
#include <vector>

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/OkCancelButtons.h"
#include "base/Profile.h"
#include "editor/Cp932Text.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "run/CgiForm.h"

namespace corvella {
namespace {

constexpr const char* kTestSection = "CGI_Test";
constexpr const char* kQuerySection = "QUERY_STRING";
constexpr int kValueLimit = 32767;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Profile strings are UTF-8; the stored form is made of the text as typed.
std::string Utf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

std::string Entry(const char* format, int i) {
  char name[16];
  std::snprintf(name, sizeof name, format, i);
  return name;
}

// A value typed on several lines is CR LF text, as in any multi-line field.
QString WithCrLf(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); }

QLineEdit* Field(QWidget* parent, int limit) {
  auto* field = new QLineEdit(parent);
  field->setMaxLength(limit);
  return field;
}

}  // namespace

CCgiDlg::CCgiDlg(Profile& profile, QWidget* parent) : QDialog(parent), m_profile(profile) {
  setWindowTitle(Text(str::kCgiTitle));
  auto* layout = new QVBoxLayout(this);

  auto* methodGroup = new QGroupBox(Text(str::kCgiMethodGroup), this);
  auto* methodRow = new QHBoxLayout(methodGroup);
  methodRow->addWidget(new QLabel(Text(str::kCgiMethodLabel), methodGroup));
  m_method = new QButtonGroup(this);
  auto* post = new QRadioButton(Text(str::kCgiPost), methodGroup);
  auto* get = new QRadioButton(Text(str::kCgiGet), methodGroup);
  m_method->addButton(post, 0);
  m_method->addButton(get, 1);
  methodRow->addWidget(post);
  methodRow->addWidget(get);
  methodRow->addStretch();
  layout->addWidget(methodGroup);

  auto* argsRow = new QHBoxLayout;
  argsRow->addWidget(new QLabel(Text(str::kCgiArgsLabel), this));
  m_args = Field(this, 8000);
  argsRow->addWidget(m_args);
  layout->addLayout(argsRow);
  layout->addWidget(new QLabel(Text(str::kCgiNote), this));

  auto* formGroup = new QGroupBox(Text(str::kCgiFormGroup), this);
  auto* form = new QGridLayout(formGroup);
  form->addWidget(new QLabel(Text(str::kCgiNameLabel), formGroup), 0, 0);
  m_name = Field(formGroup, 255);
  form->addWidget(m_name, 0, 1);
  form->addWidget(new QLabel(Text(str::kCgiValueLabel), formGroup), 1, 0, Qt::AlignTop);
  m_value = new QPlainTextEdit(formGroup);
  m_value->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_value->setMaximumHeight(4 * fontMetrics().height());
  // The field holds at most 32767 characters, as typed.
  connect(m_value, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = m_value->toPlainText();
    if (text.size() > kValueLimit) m_value->setPlainText(text.left(kValueLimit));
  });
  form->addWidget(m_value, 1, 1);
  m_listVars = new QTreeWidget(formGroup);
  m_listVars->setRootIsDecorated(false);
  m_listVars->setSelectionMode(QAbstractItemView::SingleSelection);
  m_listVars->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_listVars->setHeaderLabels({Text(str::kCgiVariableColumn), Text(str::kCgiValueColumn)});
  m_listVars->header()->resizeSection(0, 90);
  m_listVars->header()->setStretchLastSection(true);
  form->addWidget(m_listVars, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  for (const auto& [caption, slot] : {std::pair{str::kCgiSet, &CCgiDlg::OnSet}, std::pair{str::kCgiDelete, &CCgiDlg::OnDelete},
                                      std::pair{str::kCgiDeleteAll, &CCgiDlg::OnDeleteAll}}) {
    auto* button = new QPushButton(Text(caption), formGroup);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  form->addLayout(buttons, 3, 0, 1, 2);
  // A click on a variable puts its name and value in the fields.
  connect(m_listVars, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    m_name->setText(item->text(0));
    m_value->setPlainText(QString(item->text(1)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  });
  layout->addWidget(formGroup);

  auto* otherGroup = new QGroupBox(Text(str::kCgiOtherGroup), this);
  auto* other = new QGridLayout(otherGroup);
  for (int i = 0; i < 3; ++i) {
    other->addWidget(new QLabel(Text(str::kCgiNameLabel), otherGroup), i, 0);
    m_otherNames[i] = Field(otherGroup, 255);
    other->addWidget(m_otherNames[i], i, 1);
    other->addWidget(new QLabel(Text(str::kCgiValueLabel), otherGroup), i, 2);
    m_otherValues[i] = Field(otherGroup, 255);
    other->addWidget(m_otherValues[i], i, 3);
  }
  layout->addWidget(otherGroup);
  layout->addWidget(MakeOkCancelButtons(this));
  Load();
}

void CCgiDlg::Load() {
  m_nMethod = m_profile.GetProfileInt(kTestSection, "Method", 1);
  m_strCmdArgs = FromUtf8(m_profile.GetProfileString(kTestSection, "Argument"));
  for (int i = 0; i < 3; ++i) {
    m_strOtherName[i] = FromUtf8(m_profile.GetProfileString(kTestSection, Entry("Name%02d", i + 1)));
    m_strOtherValue[i] = FromUtf8(m_profile.GetProfileString(kTestSection, Entry("Value%02d", i + 1)));
  }
  const int count = m_profile.GetProfileInt(kTestSection, kQuerySection, 0);
  for (int i = 0; i < count; ++i) {
    auto* item = new QTreeWidgetItem(m_listVars);
    item->setText(0, FromUtf8(LoadFormText(m_profile.GetProfileString(kQuerySection, Entry("Name%02d", i)))));
    item->setText(1, FromUtf8(LoadFormText(m_profile.GetProfileString(kQuerySection, Entry("Value%02d", i)))));
  }
  if (QAbstractButton* button = m_method->button(m_nMethod == 0 ? 0 : 1)) button->setChecked(true);
  m_args->setText(m_strCmdArgs);
  for (int i = 0; i < 3; ++i) {
    m_otherNames[i]->setText(m_strOtherName[i]);
    m_otherValues[i]->setText(m_strOtherValue[i]);
  }
}

void CCgiDlg::OnSet() {
  const QString name = m_name->text();
  if (name.isEmpty()) return;
  QTreeWidgetItem* item = nullptr;
  for (int i = 0; i < m_listVars->topLevelItemCount() && !item; ++i) {
    QTreeWidgetItem* candidate = m_listVars->topLevelItem(i);
    if (candidate->text(0).compare(name, Qt::CaseInsensitive) == 0) item = candidate;
  }
  if (!item) item = new QTreeWidgetItem(m_listVars);
  item->setText(0, name);
  item->setText(1, WithCrLf(m_value->toPlainText()));
}

void CCgiDlg::OnDelete() {
  const QList<QTreeWidgetItem*> selected = m_listVars->selectedItems();
  if (!selected.isEmpty()) delete selected.first();
}

void CCgiDlg::OnDeleteAll() { m_listVars->clear(); }

void CCgiDlg::accept() {
  m_nMethod = m_method->checkedId() == 0 ? 0 : 1;
  m_strCmdArgs = m_args->text();
  for (int i = 0; i < 3; ++i) {
    m_strOtherName[i] = m_otherNames[i]->text();
    m_strOtherValue[i] = m_otherValues[i]->text();
  }
  m_profile.WriteProfileInt(kTestSection, "Method", m_nMethod);
  m_profile.WriteProfileString(kTestSection, "Argument", Utf8(m_strCmdArgs));
  for (int i = 0; i < 3; ++i) {
    m_profile.WriteProfileString(kTestSection, Entry("Name%02d", i + 1), Utf8(m_strOtherName[i]));
    m_profile.WriteProfileString(kTestSection, Entry("Value%02d", i + 1), Utf8(m_strOtherValue[i]));
  }
  const int count = m_listVars->topLevelItemCount();
  m_profile.WriteProfileInt(kTestSection, kQuerySection, count);
  m_profile.DeleteSection(kQuerySection);
  // The query is made of the Shift_JIS bytes of each name and value.
  std::vector<FormVariable> variables;
  for (int i = 0; i < count; ++i) {
    const QTreeWidgetItem* item = m_listVars->topLevelItem(i);
    variables.push_back({QStringToSjis(item->text(0)), QStringToSjis(item->text(1))});
    m_profile.WriteProfileString(kQuerySection, Entry("Name%02d", i), StoreFormText(Utf8(item->text(0))));
    m_profile.WriteProfileString(kQuerySection, Entry("Value%02d", i), StoreFormText(Utf8(item->text(1))));
  }
  m_strQuery = FormQuery(variables);
  QDialog::accept();
}

}  // namespace corvella
