// The settings dialog: the Perl folder and which perl runs, the editor options, the default encoding and newline, what opens at start.
#include "system/SettingsDlg.h"

#include <algorithm>
#include <optional>

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/FieldCheck.h"
#include "base/MessageBox.h"
#include "base/OkCancelButtons.h"
#include "platform/FileNames.h"
#include "res/StartStrings.h"
#include "res/Strings.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The tab width as typed, when it is an integer (blanks around it allowed);
// a number too large for the range check is still an integer.
std::optional<long long> TypedInteger(const QString& text) {
  bool ok = false;
  const long long value = text.trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return value;
}

// A number field whose arrows step within 1..32 but whose text takes
// anything, so that a wrong entry reaches the check on OK and its message
// (a QSpinBox would silently refuse or correct it).
class TabWidthSpin : public QAbstractSpinBox {
 public:
  explicit TabWidthSpin(QWidget* parent) : QAbstractSpinBox(parent) {}
  QLineEdit* Edit() const { return lineEdit(); }

  QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
  void fixup(QString&) const override {}

  void stepBy(int steps) override {
    const long long from = TypedInteger(text()).value_or(CSettingsDlg::kMinTabWidth);
    const long long to = std::clamp(from + steps, static_cast<long long>(CSettingsDlg::kMinTabWidth),
                                    static_cast<long long>(CSettingsDlg::kMaxTabWidth));
    lineEdit()->setText(QString::number(to));
    lineEdit()->selectAll();
  }

 protected:
  StepEnabled stepEnabled() const override {
    const std::optional<long long> value = TypedInteger(text());
    if (!value) return StepUpEnabled;
    StepEnabled enabled = StepNone;
    if (*value < CSettingsDlg::kMaxTabWidth) enabled |= StepUpEnabled;
    if (*value > CSettingsDlg::kMinTabWidth) enabled |= StepDownEnabled;
    return enabled;
  }
};

template <std::size_t N>
QComboBox* List(const char* const (&names)[N], int index, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const char* name : names) combo->addItem(Text(name));
  // A broken settings file may hold any number.
  combo->setCurrentIndex(std::clamp(index, 0, static_cast<int>(N) - 1));
  return combo;
}

}  // namespace

CSettingsDlg::CSettingsDlg(const Settings& settings, QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(str::kSettingsTitle));
  auto* layout = new QVBoxLayout(this);

  auto* perlGroup = new QGroupBox(Text(str::kSettingsPerlGroup), this);
  auto* perl = new QVBoxLayout(perlGroup);
  auto* prompt = new QLabel(Text(str::kSettingsPerlPromptLinux), perlGroup);
  perl->addWidget(prompt);
  auto* folderRow = new QHBoxLayout;
  m_perlDir = new QLineEdit(QString::fromStdString(settings.m_szPerlDir), perlGroup);
  prompt->setBuddy(m_perlDir);
  m_browse = new QPushButton(Text(str::kSettingsBrowse), perlGroup);
  m_browse->setAutoDefault(false);
  m_browse->setFixedWidth(m_browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
  connect(m_browse, &QPushButton::clicked, this, &CSettingsDlg::OnBrowse);
  folderRow->addWidget(m_perlDir);
  folderRow->addWidget(m_browse);
  perl->addLayout(folderRow);
  auto* perlRow = new QHBoxLayout;
  m_usePerl = new QButtonGroup(this);
  for (const auto& [caption, id] : {std::pair{str::kSettingsPerlLinux, 0}, std::pair{str::kSettingsJPerlLinux, 1}}) {
    auto* radio = new QRadioButton(Text(caption), perlGroup);
    m_usePerl->addButton(radio, id);
    perlRow->addWidget(radio);
  }
  m_usePerl->button(std::clamp(settings.UsePerl, 0, 1))->setChecked(true);
  perlRow->addStretch();
  perl->addLayout(perlRow);
  layout->addWidget(perlGroup);

  // The labels of the other groups share one width, so that their fields line up.
  QList<QLabel*> formLabels;
  auto formLabel = [&formLabels](const char* caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(Text(caption), parent);
    label->setBuddy(field);
    formLabels << label;
    return label;
  };

  auto* editorGroup = new QGroupBox(Text(str::kSettingsEditorGroup), this);
  auto* editor = new QGridLayout(editorGroup);
  auto* tabWidth = new TabWidthSpin(editorGroup);
  m_tabWidth = tabWidth;
  tabWidth->Edit()->setText(QString::number(std::clamp(settings.TabWidth, kMinTabWidth, kMaxTabWidth)));
  tabWidth->setFixedWidth(tabWidth->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 36);
  editor->addWidget(formLabel(str::kSettingsTabWidth, tabWidth, editorGroup), 0, 0);
  editor->addWidget(tabWidth, 0, 1, Qt::AlignLeft);
  m_autoSave = new QCheckBox(Text(str::kSettingsAutoSave), editorGroup);
  m_autoSave->setChecked(settings.AutoSave);
  m_kanjiConvert = new QCheckBox(Text(str::kSettingsKanjiConvert), editorGroup);
  m_kanjiConvert->setChecked(settings.KanjiConvert);
  m_saveAsSJIS = new QCheckBox(Text(str::kSettingsSaveAsSJIS), editorGroup);
  m_saveAsSJIS->setChecked(settings.SaveAsSJIS);
  int row = 1;
  for (QCheckBox* check : {m_autoSave, m_kanjiConvert, m_saveAsSJIS}) editor->addWidget(check, row++, 0, 1, 2);
  editor->setColumnStretch(1, 1);
  layout->addWidget(editorGroup);

  auto* codeGroup = new QGroupBox(Text(str::kSettingsCodeGroup), this);
  auto* code = new QGridLayout(codeGroup);
  m_kanjiCode = List(str::kKanjiCodeNames, settings.KanjiCode, codeGroup);
  m_crlf = List(str::kSettingsNewlineNames, settings.CRLF, codeGroup);
  code->addWidget(formLabel(str::kSettingsKanjiCode, m_kanjiCode, codeGroup), 0, 0);
  code->addWidget(m_kanjiCode, 0, 1);
  code->addWidget(formLabel(str::kSettingsNewline, m_crlf, codeGroup), 1, 0);
  code->addWidget(m_crlf, 1, 1);
  code->setColumnStretch(1, 1);
  layout->addWidget(codeGroup);

  auto* startGroup = new QGroupBox(Text(str::kSettingsStartGroup), this);
  auto* start = new QGridLayout(startGroup);
  m_openMode = List(str::kSettingsOpenModeNames, settings.OpenMode, startGroup);
  start->addWidget(formLabel(str::kSettingsOpenMode, m_openMode, startGroup), 0, 0);
  start->addWidget(m_openMode, 0, 1);
  start->setColumnStretch(1, 1);
  layout->addWidget(startGroup);

  int labelWidth = 0;
  for (QLabel* label : formLabels) labelWidth = std::max(labelWidth, label->sizeHint().width());
  for (QLabel* label : formLabels) label->setFixedWidth(labelWidth);

  layout->addWidget(MakeOkCancelButtons(this));
  setMinimumWidth(420);
  m_perlDir->setFocus();
}

QLineEdit* CSettingsDlg::TabWidthField() const { return static_cast<TabWidthSpin*>(m_tabWidth)->Edit(); }

void CSettingsDlg::SetFolderChooser(std::function<QString(const QString& preselect)> choose) {
  m_chooseFolder = std::move(choose);
}

// Only the folder field changes; whatever else was entered stays as it is.
void CSettingsDlg::OnBrowse() {
  const QString preselect = m_perlDir->text().isEmpty() ? m_lastChosen : m_perlDir->text();
  const QString chosen =
      m_chooseFolder ? m_chooseFolder(preselect)
                     : QFileDialog::getExistingDirectory(this, Text(str::kSettingsFolderTitleLinux), preselect,
                                                         QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return;
  m_lastChosen = chosen;
  m_perlDir->setText(QDir::toNativeSeparators(chosen));
}

void CSettingsDlg::accept() {
  const QString folder = m_perlDir->text();
  if (!CheckMaxChars(m_perlDir, folder, kMaxPerlDirChars)) return;
  const std::optional<long long> width = TypedInteger(m_tabWidth->text());
  if (!width) {
    RefuseField(m_tabWidth, Text(str::kIntegerRequired));
    return;
  }
  if (*width < kMinTabWidth || *width > kMaxTabWidth) {
    RefuseField(m_tabWidth, Text(str::kIntegerRange).arg(kMinTabWidth).arg(kMaxTabWidth));
    return;
  }
  // The folder is stored empty all the same, which leaves the runs disabled;
  // the user learns why here rather than from greyed-out commands.
  if (const QString problem = PerlFolderProblem(folder); !problem.isEmpty()) {
    ShowMessage(this, problem, MsgIcon::Exclamation);
  }
  QDialog::accept();
}

QString CSettingsDlg::PerlFolderProblem(const QString& folder) {
  if (folder.isEmpty() || !ResolvePerlFolder(folder.toStdString()).empty()) return {};
  const bool missing = QDir::isAbsolutePath(folder) && !QFileInfo(folder).isDir();
  return Text(missing ? str::kSettingsPerlDirNotFound : str::kPerlDirUnusable).arg(folder);
}

void CSettingsDlg::Store(Settings& settings) const {
  settings.m_szPerlDir = ResolvePerlFolder(m_perlDir->text().toStdString());
  settings.UsePerl = m_usePerl->checkedId();
  // A width the OK check would refuse leaves the stored one as it was.
  if (const std::optional<long long> width = TypedInteger(m_tabWidth->text());
      width && *width >= kMinTabWidth && *width <= kMaxTabWidth) {
    settings.TabWidth = static_cast<int>(*width);
  }
  settings.AutoSave = m_autoSave->isChecked();
  settings.KanjiConvert = m_kanjiConvert->isChecked();
  settings.SaveAsSJIS = m_saveAsSJIS->isChecked();
  settings.KanjiCode = m_kanjiCode->currentIndex();
  settings.CRLF = m_crlf->currentIndex();
  settings.OpenMode = m_openMode->currentIndex();
}

}  // namespace corvella
