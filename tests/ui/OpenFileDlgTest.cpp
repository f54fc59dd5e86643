// The file dialog's extra controls, and File Open: the lent encoding choice, the order of the files, "Directory".
#include "editor/OpenFileDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/Settings.h"
#include "editor/SyntaxView.h"
#include "res/Strings.h"
#include "editor/MyDoc.h"

using namespace corvella;

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

QString LabelFor(const QDialog& dlg, const QWidget* buddy) {
  for (const QLabel* label : dlg.findChildren<QLabel*>()) {
    if (label->buddy() == buddy) return label->text();
  }
  return {};
}

void Press(COpenFileDlg& dlg, QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(dlg.findChild<QDialogButtonBox*>("buttonBox")->button(which), Qt::LeftButton);
}

const QString kFilter = U(str::kFileFilter);

TEST(OpenFileDlg, OpenDialogHasTheAutoDetectBoxAndTheEncodingList) {
  COpenFileDlg dlg(true, "pl", QString(), {.allowMultiSelect = true, .fileMustExist = true}, kFilter);
  EXPECT_TRUE(dlg.Options().allowMultiSelect && dlg.Options().fileMustExist);
  EXPECT_EQ(dlg.TemplateId(), 135);
  EXPECT_EQ(dlg.fileMode(), QFileDialog::ExistingFiles);
  EXPECT_EQ(dlg.defaultSuffix(), U("pl"));
  EXPECT_EQ(dlg.nameFilters(),
            (QStringList{U("Perl Script ファイル (*.pl *.cgi *.pm)"), U("すべてのファイル (*)")}));
  EXPECT_TRUE(dlg.testOption(QFileDialog::DontUseNativeDialog));
  for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
    EXPECT_NE(dlg.findChild<QLabel*>(label)->buddy(), nullptr) << label << ": its mnemonic would show as \"&\"";
  }

  auto* box = dlg.findChild<QCheckBox*>("1005");
  auto* kanji = dlg.findChild<QComboBox*>("1037");
  ASSERT_NE(box, nullptr);
  ASSERT_NE(kanji, nullptr);
  EXPECT_EQ(dlg.findChild<QComboBox*>("1006"), nullptr);
  EXPECT_EQ(box->text(), U("文字コードを自動認識する(&C)"));
  EXPECT_EQ(LabelFor(dlg, kanji), U("文字コード(&E):"));
  EXPECT_EQ(Items(kanji), (QStringList{U("日本語 シフトJIS"), U("日本語 EUC"), U("日本語 JIS"), U("UTF-8")}));

  // The members show when the dialog does; Cancel leaves them, OK reads them.
  dlg.m_bAutoDetect = true;
  dlg.m_nKanjiCode = 2;
  dlg.show();
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(kanji->currentIndex(), 2);
  box->setChecked(false);
  kanji->setCurrentIndex(3);
  Press(dlg, QDialogButtonBox::Cancel);
  EXPECT_TRUE(dlg.m_bAutoDetect);
  EXPECT_EQ(dlg.m_nKanjiCode, 2);
  EXPECT_TRUE(dlg.GetPathNames().isEmpty());

  dlg.m_nKanjiCode = 9;  // out of range in the Settings: shown as the first entry
  dlg.show();
  EXPECT_EQ(kanji->currentIndex(), 0);
  dlg.hide();
}

TEST(OpenFileDlg, SaveAsDialogHasBothListsAndAsksBeforeReplacing) {
  QTemporaryDir dir;
  QFile(dir.filePath("old.pl")).open(QIODevice::WriteOnly);
  std::vector<QString> asked;
  MsgResult answer = MsgResult::No;
  Responders responders;
  responders.SetMessage([&](const QString& text, MsgIcon, MsgButtons) {
    asked.push_back(text);
    return answer;
  });

  COpenFileDlg dlg(false, "pl", dir.filePath("old.pl"), {.overwritePrompt = true, .hideReadOnly = true, .pathMustExist = true}, kFilter);
  responders.Serve(&dlg);
  EXPECT_EQ(dlg.TemplateId(), 136);
  EXPECT_EQ(dlg.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dlg.findChild<QCheckBox*>("1005"), nullptr);
  auto* newline = dlg.findChild<QComboBox*>("1006");
  ASSERT_NE(newline, nullptr);
  EXPECT_EQ(LabelFor(dlg, newline), U("改行コード(&C):"));
  EXPECT_EQ(Items(newline), (QStringList{U("CR+LF (Windows)"), U("LF (UNIX)"), U("CR (Macintosh)")}));
  EXPECT_EQ(LabelFor(dlg, dlg.KanjiCodeList()), U("文字コード(&E):"));

  dlg.m_nCrLf = 2;
  dlg.show();
  EXPECT_EQ(newline->currentIndex(), 2);
  newline->setCurrentIndex(1);
  Press(dlg, QDialogButtonBox::Save);  // replacing refused: the dialog stays
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], U("old.pl は既に存在します。\n上書きしますか?"));
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.m_nCrLf, 2);

  answer = MsgResult::Yes;
  Press(dlg, QDialogButtonBox::Save);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.m_nCrLf, 1);
  EXPECT_EQ(dlg.GetPathName(), dir.filePath("old.pl"));

  // A name in a folder that does not exist is refused; a new name is not asked about.
  COpenFileDlg fresh(false, "pl", dir.filePath("x.pl"), {.overwritePrompt = true, .hideReadOnly = true, .pathMustExist = true}, kFilter);
  responders.Serve(&fresh);
  fresh.show();
  fresh.findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("no/such.pl"));
  Press(fresh, QDialogButtonBox::Save);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_TRUE(asked[2].startsWith(QDir::toNativeSeparators(dir.filePath("no/such.pl")) + U("\nパスが存在しません。")));
  EXPECT_TRUE(fresh.isVisible());
  fresh.findChild<QLineEdit*>("fileNameEdit")->setText(U("new"));
  Press(fresh, QDialogButtonBox::Save);
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(fresh.GetPathName(), dir.filePath("new.pl"));  // the default extension added
}

class FileOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.pl", "b.pl"}) {
      QFile f(dir.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("# \x93\xfa\x96\x7b\r\n");  // "# 日本" in Shift_JIS
    }
    settings.KanjiConvert = true;
    settings.KanjiCode = 0;
    settings.Directory = dir.path().toStdString();
    responders.SetMessage([this](const QString& text, MsgIcon, MsgButtons) {
      messages << text;
      return MsgResult::Ok;
    });
    responders.Serve(&view);
  }

  // Opens a document the way the manager does, noting the Settings it saw.
  bool OpenDocument(const QString& path) {
    seen.push_back({QFileInfo(path).fileName(), settings.KanjiConvert, settings.KanjiCode});
    CMyDoc doc(settings);
    doc.SetDialogParent(&view);
    view.SetDocument(doc.SharedText());
    if (!doc.OnOpenDocument(path)) return false;
    codes.push_back(doc.KanjiCode());
    return true;
  }

  // Records the dialog's starting state, then chooses and presses Open (or Cancel).
  FileDialogRunner Choose(const QString& names, bool autoDetect, int kanji) {
    return [=, this](COpenFileDlg& dlg) {
      responders.Serve(&dlg);
      dlg.show();
      startChecked = dlg.AutoDetectBox()->isChecked();
      startKanji = dlg.KanjiCodeList()->currentIndex();
      startFolder = dlg.directory().canonicalPath();
      dlg.AutoDetectBox()->setChecked(autoDetect);
      dlg.KanjiCodeList()->setCurrentIndex(kanji);
      if (names.isEmpty()) {
        Press(dlg, QDialogButtonBox::Cancel);
      } else {
        dlg.findChild<QLineEdit*>("fileNameEdit")->setText(names);
        Press(dlg, QDialogButtonBox::Open);
      }
      const bool ok = dlg.result() == QDialog::Accepted;
      dlg.hide();
      return ok;
    };
  }

  struct Seen {
    QString name;
    bool kanjiConvert;
    int kanjiCode;
    bool operator==(const Seen&) const = default;
  };

  QTemporaryDir dir;
  Settings settings;
  CSyntaxView view;
  std::vector<Seen> seen;
  std::vector<int> codes;
  QStringList messages;
  Responders responders;
  bool startChecked = false;
  int startKanji = -1;
  QString startFolder;
};

TEST_F(FileOpenTest, SeveralFilesOpenInOrderWithTheChoiceOfThisOpenOnly) {
  auto open = [this](const QString& p) { return OpenDocument(p); };
  EXPECT_EQ(OnFileOpen(nullptr, settings, open, Choose(U("\"a.pl\" \"b.pl\""), false, 1)), 2);
  EXPECT_TRUE(startChecked);
  EXPECT_EQ(startKanji, 0);
  EXPECT_EQ(startFolder, QDir(dir.path()).canonicalPath());
  EXPECT_EQ(seen, (std::vector<Seen>{{U("a.pl"), false, 1}, {U("b.pl"), false, 1}}));
  EXPECT_EQ(codes, (std::vector<int>{1, 1}));  // taken as EUC-JP, not detected
  EXPECT_TRUE(settings.KanjiConvert);
  EXPECT_EQ(settings.KanjiCode, 0);
  EXPECT_EQ(QDir(QString::fromStdString(settings.Directory)).canonicalPath(), QDir(dir.path()).canonicalPath());

  // The next dialog starts from the stored values again; Cancel changes nothing.
  settings.Directory = "unchanged";
  EXPECT_EQ(OnFileOpen(nullptr, settings, open, Choose(QString(), false, 3)), 0);
  EXPECT_TRUE(startChecked);
  EXPECT_EQ(startKanji, 0);
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(settings.Directory, "unchanged");
  EXPECT_EQ(settings.KanjiCode, 0);
  // Shift_JIS bytes taken as EUC-JP would not be written back: each load says so.
  EXPECT_EQ(messages.size(), 2);
}

TEST_F(FileOpenTest, OneFileStoresItsFullNameAndFailuresDoNotStopTheLoop) {
  auto open = [this](const QString& p) { return OpenDocument(p); };
  EXPECT_EQ(OnFileOpen(nullptr, settings, open, Choose(U("b.pl"), true, 0)), 1);
  EXPECT_EQ(QFileInfo(QString::fromStdString(settings.Directory)).canonicalFilePath(),
            QFileInfo(dir.filePath("b.pl")).canonicalFilePath());
  EXPECT_EQ(codes, (std::vector<int>{0}));  // detected as Shift_JIS
  // That file name still stands for its folder where a folder is wanted.
  EXPECT_EQ(QDir(DirectoryFolder(settings)).canonicalPath(), QDir(dir.path()).canonicalPath());

  // The first file fails to open (it became a folder after it was chosen):
  // the second still opens and "Directory" is set by it alone.
  settings.Directory = dir.filePath("b.pl").toStdString();
  auto failFirst = [this](const QString& p) {
    if (QFileInfo(p).fileName() == U("a.pl")) {
      QFile::remove(p);
      QDir().mkpath(p);
    }
    return OpenDocument(p);
  };
  EXPECT_EQ(OnFileOpen(nullptr, settings, failFirst, Choose(U("\"a.pl\" \"b.pl\""), true, 0)), 1);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(QDir(QString::fromStdString(settings.Directory)).canonicalPath(), QDir(dir.path()).canonicalPath());

  // A name that vanished after it was typed keeps the dialog open.
  auto vanished = [this](COpenFileDlg& dlg) {
    responders.Serve(&dlg);
    dlg.show();
    dlg.findChild<QLineEdit*>("fileNameEdit")->setText(U("b.pl"));
    QFile::remove(dir.filePath("b.pl"));
    Press(dlg, QDialogButtonBox::Open);
    const bool stillOpen = dlg.isVisible();
    dlg.reject();
    return !stillOpen;
  };
  EXPECT_EQ(OnFileOpen(nullptr, settings, open, vanished), 0);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], U("b.pl\nファイルが見つかりません。\nファイル名を確認してください。"));
}

}  // namespace
