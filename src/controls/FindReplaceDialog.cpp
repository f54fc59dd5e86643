// The modeless find or replace dialog, laid out like the desktop's usual ones: fields on the left, buttons in a column on the right.
#include "controls/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "res/Strings.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(Text(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(bool findOnly, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(findOnly ? str::kFindTitle : str::kReplaceTitle));
  setModal(false);

  auto* fields = new QGridLayout;
  auto* findLabel = new QLabel(Text(str::kFindWhatLabel), this);
  findEdit_ = new QLineEdit(this);
  findEdit_->setObjectName(QStringLiteral("findWhat"));
  findEdit_->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
  findLabel->setBuddy(findEdit_);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(findEdit_, 0, 1);
  if (!findOnly) {
    auto* replaceLabel = new QLabel(Text(str::kReplaceWithLabel), this);
    replaceEdit_ = new QLineEdit(this);
    replaceEdit_->setObjectName(QStringLiteral("replaceWith"));
    replaceLabel->setBuddy(replaceEdit_);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(replaceEdit_, 1, 1);
  }

  matchCase_ = new QCheckBox(Text(str::kFindMatchCase), this);
  matchCase_->setObjectName(QStringLiteral("matchCase"));

  // Below the fields: the match-case box at the bottom left and, in the find
  // dialog only, the direction group beside it.
  auto* options = new QHBoxLayout;
  auto* caseColumn = new QVBoxLayout;
  caseColumn->addStretch();
  caseColumn->addWidget(matchCase_);
  options->addLayout(caseColumn);
  if (findOnly) {
    auto* direction = new QGroupBox(Text(str::kFindDirection), this);
    up_ = new QRadioButton(Text(str::kFindUp), direction);
    up_->setObjectName(QStringLiteral("up"));
    down_ = new QRadioButton(Text(str::kFindDown), direction);
    down_->setObjectName(QStringLiteral("down"));
    down_->setChecked(true);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(up_);
    directionRow->addWidget(down_);
    options->addStretch();
    options->addWidget(direction);
  } else {
    options->addStretch();
  }

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addStretch();
  left->addLayout(options);

  auto* buttons = new QVBoxLayout;
  findNext_ = Button(str::kFindNextButton, "findNext", this);
  findNext_->setDefault(true);
  buttons->addWidget(findNext_);
  if (!findOnly) {
    replace_ = Button(str::kReplaceButton, "replace", this);
    replaceAll_ = Button(str::kReplaceAllButton, "replaceAll", this);
    buttons->addWidget(replace_);
    buttons->addWidget(replaceAll_);
  }
  QPushButton* cancel = Button(str::kFindCancelButton, "cancel", this);
  buttons->addWidget(cancel);
  buttons->addStretch();

  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addSpacing(6);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(findEdit_, &QLineEdit::textChanged, this, &FindReplaceDialog::UpdateButtons);
  connect(findNext_, &QPushButton::clicked, this, &FindReplaceDialog::findNextClicked);
  if (replace_) connect(replace_, &QPushButton::clicked, this, &FindReplaceDialog::replaceClicked);
  if (replaceAll_) connect(replaceAll_, &QPushButton::clicked, this, &FindReplaceDialog::replaceAllClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  UpdateButtons();
  findEdit_->setFocus();
}

QString FindReplaceDialog::FindWhat() const { return findEdit_->text(); }

void FindReplaceDialog::SetFindWhat(const QString& text) {
  findEdit_->setText(text);
  findEdit_->selectAll();
}

QString FindReplaceDialog::ReplaceWith() const { return replaceEdit_ ? replaceEdit_->text() : QString(); }

void FindReplaceDialog::SetReplaceWith(const QString& text) {
  if (replaceEdit_) replaceEdit_->setText(text);
}

bool FindReplaceDialog::MatchCase() const { return matchCase_->isChecked(); }

void FindReplaceDialog::SetMatchCase(bool on) { matchCase_->setChecked(on); }

bool FindReplaceDialog::SearchDown() const { return down_ == nullptr || down_->isChecked(); }

void FindReplaceDialog::SetSearchDown(bool down) {
  if (!down_) return;
  (down ? down_ : up_)->setChecked(true);
}

// Nothing can be searched for while the search field is empty.
void FindReplaceDialog::UpdateButtons() {
  const bool any = !findEdit_->text().isEmpty();
  findNext_->setEnabled(any);
  if (replace_) replace_->setEnabled(any);
  if (replaceAll_) replaceAll_->setEnabled(any);
}

}  // namespace corvella
