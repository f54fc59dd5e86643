// The HTML export command and its colour dialog: page bytes on disk, colours stored only after success, the 32-byte limit.
#include "export/HtmlExportCommand.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/QSettingsProfile.h"
#include "editor/SyntaxView.h"
#include "export/HtmlExport.h"

using namespace corvella;

namespace {

// "# 表\r\n\tprint "表";\r\n": 表 has 5C as its second byte.
constexpr char kScript[] = "# \x95\x5c\r\n\tprint \"\x95\x5c\";\r\n";

using Messages = std::vector<std::pair<QMessageBox::Icon, QString>>;
MessageFn Recorder(Messages& out) {
  return [&out](QWidget*, QMessageBox::Icon icon, const QString& text) { out.emplace_back(icon, text); };
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QString Stored(const char* key) {
  return QString::fromStdString(QSettingsProfile().GetProfileString(kSettingsSection, key, "(missing)"));
}

void ClickOk(QDialog& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton); }

// Shows the real dialog, retypes the pattern colour and presses OK.
bool TypePatternAndOk(CHtmlFormatDlg& dialog, const QString& text) {
  dialog.show();
  dialog.Edit(CHtmlFormatDlg::kEditPattern)->selectAll();
  QTest::keyClicks(dialog.Edit(CHtmlFormatDlg::kEditPattern), text);
  ClickOk(dialog);
  return dialog.result() == QDialog::Accepted;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    profile.DeleteSection(kSettingsSection);
    SyntaxColors colors;
    colors.keyword = QColor(0, 0, 255);
    colors.comment = QColor(192, 0, 0);
    colors.string = QColor(0, 128, 128);
    view.SetColors(colors);
    view.SetTabWidth(8);
    view.OnInitialUpdate(kScript);
    prompts.message = Recorder(messages);
  }

  QTemporaryDir dir;
  CSyntaxView view;
  QSettingsProfile profile;
  HtmlExportPrompts prompts;
  Messages messages;
};

}  // namespace

TEST_F(ExportTest, WritesThePageOverTheOldFileThenStoresTheColours) {
  const QString target = dir.filePath("out.html");
  WriteAll(target, "old page");
  QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  const QFile::Permissions permissions = QFile::permissions(target);

  QStringList shown;
  prompts.runFormatDialog = [&](CHtmlFormatDlg& dialog) {
    dialog.show();
    for (int id = CHtmlFormatDlg::kEditKeyword; id <= CHtmlFormatDlg::kEditSubCall; ++id)
      shown << dialog.Edit(id)->text();
    return TypePatternAndOk(dialog, "purple");
  };
  prompts.runSaveDialog = [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("HTML 出力"));
    EXPECT_EQ(dialog.defaultSuffix(), "html");
    EXPECT_EQ(dialog.selectedFiles().value(0), dir.filePath(QStringLiteral("テスト.pl.html")));
    return target;
  };

  const QString title = QStringLiteral("テスト.pl");
  EXPECT_EQ(ExportHtml(nullptr, view, profile, title, dir.filePath(title), prompts), HtmlExportResult::Written);
  EXPECT_EQ(shown, (QStringList{"#0000ff", "#c00000", "#008080", "fuchsia", "red"}));
  EXPECT_TRUE(messages.empty());

  // Tab width 8 from the view, the title in code page 932.
  const HtmlColours colours{"#0000ff", "#c00000", "#008080", "purple", "red"};
  EXPECT_EQ(ReadAll(target).toStdString(), BuildHtmlPage(kScript, colours, 8, "\x83\x65\x83\x58\x83\x67.pl"));
  EXPECT_EQ(QFile::permissions(target), permissions);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.html"});  // nothing left beside it

  const QStringList stored{Stored("HTML_KWD"), Stored("HTML_COM"), Stored("HTML_STR"), Stored("HTML_REG"),
                           Stored("HTML_SUB")};
  EXPECT_EQ(stored, (QStringList{"#0000ff", "#c00000", "#008080", "purple", "red"}));
}

TEST_F(ExportTest, CancelOrFailedWriteStoresNothingAndKeepsTheOldFile) {
  profile.WriteProfileString(kSettingsSection, "HTML_REG", "olive");
  prompts.runFormatDialog = [](CHtmlFormatDlg& dialog) { return TypePatternAndOk(dialog, "navy"); };
  QString target;
  prompts.runSaveDialog = [&](QFileDialog&) { return target; };

  EXPECT_EQ(ExportHtml(nullptr, view, profile, "a.pl", QString(), prompts), HtmlExportResult::Cancelled);

  target = dir.filePath("missing/a.html");
  EXPECT_EQ(ExportHtml(nullptr, view, profile, "a.pl", QString(), prompts), HtmlExportResult::Failed);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, QMessageBox::Warning);
  EXPECT_EQ(messages[0].second, QStringLiteral("出力ファイルをオープン出来ません.\n"));

  // The new copy cannot be made beside an existing file whose name already
  // has the longest length a name may have (a read-only folder would not
  // stop a test run as root).
  target = dir.filePath(QString(255, 'x'));
  WriteAll(target, "old page");
  EXPECT_EQ(ExportHtml(nullptr, view, profile, "a.pl", QString(), prompts), HtmlExportResult::Failed);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(ReadAll(target), "old page");

  EXPECT_EQ(Stored("HTML_REG"), "olive");
  EXPECT_EQ(Stored("HTML_KWD"), "(missing)");
}

// The real dialogs, closed by a timer as a user would close them.
TEST_F(ExportTest, DefaultPromptsShowTheRealDialogs) {
  int step = 0;
  int stray = 0;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* format = qobject_cast<CHtmlFormatDlg*>(modal); format && step == 0) {
      ++step;
      format->Edit(CHtmlFormatDlg::kEditKeyword)->setText("navy");
      ClickOk(*format);
    } else if (auto* save = qobject_cast<QFileDialog*>(modal); save && step == 1) {
      ++step;  // typed without an extension: the dialog adds ".html"
      save->setDirectory(dir.path());
      save->findChild<QLineEdit*>("fileNameEdit")->setText("page");
      static_cast<QDialog*>(save)->accept();
    } else if (modal && ++stray > 100) {
      ADD_FAILURE() << "unexpected dialog " << modal->metaObject()->className();
      qobject_cast<QDialog*>(modal)->reject();
    }
  });
  driver.start(20);
  EXPECT_EQ(ExportHtml(nullptr, view, profile, "a.pl", QString()), HtmlExportResult::Written);
  EXPECT_EQ(step, 2);
  EXPECT_EQ(ReadAll(dir.filePath("page.html")).toStdString(),
            BuildHtmlPage(kScript, {"navy", "#c00000", "#008080", "fuchsia", "red"}, 8, "a.pl"));
  EXPECT_EQ(Stored("HTML_KWD"), "navy");
}

TEST(HtmlFormatDlg, LimitsEachColourTo32BytesOfCodePage932) {
  CHtmlFormatDlg dialog;
  Messages messages;
  dialog.SetMessageFn(Recorder(messages));
  dialog.m_strKwd = "blue";
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QLineEdit* pattern = dialog.Edit(CHtmlFormatDlg::kEditPattern);
  auto putIn = [&](const QString& text) {  // as a stored value arrives
    dialog.m_strReg = text;
    dialog.UpdateData(false);
    dialog.m_strReg.clear();
  };

  // A long stored value is shown whole: 33 bytes, or 17 double-byte
  // characters (34 bytes in 17 characters), are refused on OK.
  for (const QString& tooLong : {QString(33, 'a'), QString(17, QChar(0x8868))}) {
    putIn(tooLong);
    EXPECT_EQ(pattern->text(), tooLong);
    ClickOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.m_strReg.isEmpty());
  }
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].first, QMessageBox::Warning);
  EXPECT_EQ(messages[0].second, QStringLiteral("32 文字以内で入力してください。"));
  EXPECT_EQ(QApplication::focusWidget(), pattern);

  // Typing stops at 32 bytes: after 31 a double-byte character no longer fits.
  putIn(QString(30, 'a'));
  pattern->end(false);
  QTest::keyClick(pattern, Qt::Key_B);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("表"));
  QApplication::sendEvent(pattern, &commit);
  QTest::keyClicks(pattern, "cd");
  EXPECT_EQ(pattern->text(), QString(30, 'a') + "bc");
  // An over-long value may still be shortened.
  putIn(QString(40, 'a'));
  pattern->end(false);
  QTest::keyClick(pattern, Qt::Key_Backspace);
  EXPECT_EQ(pattern->text().size(), 39);

  putIn(QString(16, QChar(0x8868)));  // exactly 32 bytes
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.m_strKwd, "blue");
  EXPECT_EQ(dialog.m_strReg, QString(16, QChar(0x8868)));
}
