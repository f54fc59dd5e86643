// The editor font dialog: fixed-pitch font choice beside seven colour buttons for the syntax colours.
#include "controls/ColorFontDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QStringListModel>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/CJColorPicker.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Hands Escape to the dialog: the embedded chooser would otherwise close
// itself and leave an empty space behind.
class EscapeToDialog : public QObject {
 public:
  explicit EscapeToDialog(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      dialog_->reject();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QDialog* dialog_;
};

// Qt calls a family fixed pitch only when the font says it is monospaced. The
// Japanese fixed-pitch fonts say "dual width" (half-width Latin, full-width
// kanji) and would be left out, the editor's default font among them, and the
// chooser would quietly move to another font. Such a family counts as fixed
// pitch when every printable ASCII character is equally wide.
bool HasEvenAsciiWidths(const QString& family) {
  QFont font(family);
  font.setPixelSize(32);
  const QFontMetricsF fm(font);
  const qreal width = fm.horizontalAdvance(QLatin1Char('M'));
  if (width <= 0) return false;
  for (char c = 0x21; c < 0x7F; ++c) {
    if (!qFuzzyCompare(fm.horizontalAdvance(QLatin1Char(c)), width)) return false;
  }
  return true;
}

// Appends the even-width families of the chosen writing system that the
// chooser's own fixed-pitch filter missed. Appended, not sorted in: the
// chooser selects its entries by their position right after filling the list.
void AddEvenWidthFamilies(QStringListModel* families, const QComboBox* writingSystem) {
  const auto system =
      static_cast<QFontDatabase::WritingSystem>(writingSystem ? std::max(0, writingSystem->currentIndex()) : 0);
  const QStringList present = families->stringList();
  for (const QString& family : QFontDatabase::families(system)) {
    if (QFontDatabase::isPrivateFamily(family) || QFontDatabase::isFixedPitch(family) || present.contains(family) ||
        !HasEvenAsciiWidths(family)) {
      continue;
    }
    const int row = families->rowCount();
    families->insertRows(row, 1);
    families->setData(families->index(row), family);
  }
}

}  // namespace

// Top to bottom as the group shows them.
const std::array<CColorFontDlg::Slot, 7> CColorFontDlg::kSlots = {{
    {res::IDC_COLOR_TEXT, &CColorFontDlg::m_crText, str::kColorTextLabel},
    {res::IDC_COLOR_BACK, &CColorFontDlg::m_crBack, str::kColorBackLabel},
    {res::IDC_COLOR_KEYWORD, &CColorFontDlg::m_crKeyword, str::kColorKeywordLabel},
    {res::IDC_COLOR_COMMENT, &CColorFontDlg::m_crComment, str::kColorCommentLabel},
    {res::IDC_COLOR_STRING, &CColorFontDlg::m_crString, str::kColorStringLabel},
    {res::IDC_COLOR_PATTERN, &CColorFontDlg::m_crPattern, str::kColorPatternLabel},
    {res::IDC_COLOR_SUBCALL, &CColorFontDlg::m_crSubCall, str::kColorSubCallLabel},
}};

CColorFontDlg::CColorFontDlg(const QFont& initialFont, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(str::kColorFontTitle));

  fontChooser_ = new QFontDialog(this);
  fontChooser_->setWindowFlags(Qt::Widget);
  // The first list is the family list; it is refilled whenever the options,
  // the font or the writing system change.
  const QList<QListView*> lists = fontChooser_->findChildren<QListView*>();
  QListView* familyList = lists.isEmpty() ? nullptr : lists.first();
  auto* families = familyList ? qobject_cast<QStringListModel*>(familyList->model()) : nullptr;
  if (families) {
    const QComboBox* writingSystem = fontChooser_->findChild<QComboBox*>();
    connect(families, &QAbstractItemModel::modelReset, this,
            [families, writingSystem] { AddEvenWidthFamilies(families, writingSystem); });
  }
  fontChooser_->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons |
                           QFontDialog::MonospacedFonts);
  fontChooser_->setCurrentFont(initialFont);
  // The chooser looks for the starting family before the appended ones are there.
  if (families && fontChooser_->currentFont().family() != initialFont.family()) {
    const int row = static_cast<int>(families->stringList().indexOf(initialFont.family()));
    if (row >= 0) familyList->setCurrentIndex(families->index(row));
  }
  fontChooser_->installEventFilter(new EscapeToDialog(this));
  // No strike-out or underline: the editor draws neither.
  // The sample keeps the room the effects leave, or it shrinks to a sliver.
  // The sample shows kana and kanji too: the editor font must hold them.
  for (QGroupBox* group : fontChooser_->findChildren<QGroupBox*>()) {
    if (!group->findChildren<QCheckBox*>().isEmpty()) {
      group->hide();
      continue;
    }
    group->setMinimumHeight(5 * QFontMetrics(group->font()).height());
    if (auto* sample = group->findChild<QLineEdit*>()) sample->setText(Text(str::kFontSample));
  }

  auto* colours = new QGroupBox(Text(str::kSyntaxColorGroup), this);
  auto* grid = new QGridLayout(colours);
  // 58 dialog units: a quarter of the average character width each.
  const int pickerWidth = 58 * QFontMetrics(font()).averageCharWidth() / 4;
  for (std::size_t i = 0; i < kSlots.size(); ++i) {
    auto* label = new QLabel(Text(kSlots[i].label), colours);
    auto* picker = new CCJColorPicker(colours);
    picker->setObjectName(QStringLiteral("picker%1").arg(kSlots[i].id));
    picker->setProperty("controlId", kSlots[i].id);
    picker->setMinimumWidth(pickerWidth);
    label->setBuddy(picker);
    grid->addWidget(label, static_cast<int>(i), 0);
    grid->addWidget(picker, static_cast<int>(i), 1);
    pickers_[i] = picker;
  }
  grid->setRowStretch(static_cast<int>(kSlots.size()), 1);

  auto* ok = new QPushButton(Text(str::kColorFontOk), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(Text(str::kColorFontCancel), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* right = new QVBoxLayout;
  right->addWidget(colours);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(fontChooser_, 1);
  top->addLayout(right);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addLayout(buttons);
}

QFont CColorFontDlg::SelectedFont() const { return fontChooser_->currentFont(); }

CCJColorPicker* CColorFontDlg::Picker(int id) const {
  for (std::size_t i = 0; i < kSlots.size(); ++i) {
    if (kSlots[i].id == id) return pickers_[i];
  }
  return nullptr;
}

void CColorFontDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    for (std::size_t i = 0; i < kSlots.size(); ++i) pickers_[i]->SetColor(this->*kSlots[i].member);
  }
  QDialog::showEvent(event);
}

void CColorFontDlg::accept() {
  for (std::size_t i = 0; i < kSlots.size(); ++i) this->*kSlots[i].member = pickers_[i]->GetColor();
  QDialog::accept();
}

}  // namespace corvella
