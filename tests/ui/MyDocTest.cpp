// The script document on real files: codes settled by the load, Save As and plain Save, read-only and failed saves, the run copy.
#include "editor/MyDoc.h"

#include <csignal>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"

#include "platform/FileNames.h"
#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/Settings.h"
#include "editor/SyntaxView.h"
#include "res/Strings.h"
#include "run/ScriptRunCopy.h"
#include "text/LoadedText.h"

using namespace corvella;

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// "# 日本語" and "print 1;" in Shift_JIS and in EUC-JP.
const QByteArray kSjisCrLf("# \x93\xfa\x96\x7b\x8c\xea\r\nprint 1;\r\n");
const QByteArray kEucLf("# \xc6\xfc\xcb\xdc\xb8\xec\nprint 1;\n");

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

mode_t Mode(const QString& path) {
  struct stat st {};
  ::stat(QFile::encodeName(path).constData(), &st);
  return st.st_mode & 07777;
}

using corvella::test::FileSizeLimit;

struct Message {
  QString text;
  MsgIcon icon;
};

class MyDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("tmp")));
    oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(dir.filePath("tmp")));
    responders.SetMessage([this](const QString& text, MsgIcon icon, MsgButtons) {
      messages.push_back({text, icon});
      return answer;
    });
    responders.Serve(&view);
    NewDoc();
    doc->SetSaveAsDialogRunner([](COpenFileDlg&) {
      ADD_FAILURE() << "no dialog expected";
      return false;
    });
  }
  void TearDown() override {
    if (oldTmp.isNull()) qunsetenv("TMPDIR");  // an empty TMPDIR would name no folder for later tests
    else qputenv("TMPDIR", oldTmp);
    QDir::setCurrent(QDir::tempPath());
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

  // A fresh document made with the Settings as they are now.
  void NewDoc() {
    doc = std::make_unique<CMyDoc>(settings);
    doc->SetDialogParent(&view);
    view.SetDocument(doc->SharedText());
  }

  void Open(const QString& path) {
    NewDoc();
    ASSERT_TRUE(doc->OnOpenDocument(path));
    doc->SetPathName(path);
  }

  ScriptRunCopy RunCopy() { return ScriptRunCopy(*doc, settings, saveAll, &view); }

  void Type(const char* bytes) {
    view.SetSel(view.Buffer().GetTextLength(), view.Buffer().GetTextLength());
    view.ReplaceSelUndoable(bytes);
  }

  // Drives the real Save As dialog: records what it proposes, sets the two
  // lists, names the file and presses Save.
  FileDialogRunner SaveAs(const QString& name, int kanji, int crlf) {
    return [this, name, kanji, crlf](COpenFileDlg& dlg) {
      dlg.show();
      proposed = dlg.findChild<QLineEdit*>("fileNameEdit")->text();
      shownKanji = dlg.KanjiCodeList()->currentIndex();
      shownCrLf = dlg.NewlineCodeList()->currentIndex();
      startFolder = dlg.directory().canonicalPath();
      dlg.KanjiCodeList()->setCurrentIndex(kanji);
      dlg.NewlineCodeList()->setCurrentIndex(crlf);
      if (!name.isEmpty()) dlg.findChild<QLineEdit*>("fileNameEdit")->setText(name);
      QTest::mouseClick(dlg.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save),
                        Qt::LeftButton);
      const bool ok = dlg.result() == QDialog::Accepted;
      dlg.hide();
      return ok;
    };
  }

  QTemporaryDir dir;
  QByteArray oldTmp;
  Settings settings;
  CSyntaxView view;
  std::unique_ptr<CMyDoc> doc;
  std::function<bool()> saveAll;  // the manager's "save every modified document"
  std::vector<Message> messages;
  Responders responders;
  MsgResult answer = MsgResult::Yes;
  QString proposed, startFolder;
  int shownKanji = -1, shownCrLf = -1;
};

TEST_F(MyDocTest, SaveAsProposesANameAndItsCodesStayForPlainSaves) {
  settings.Directory = dir.path().toStdString();
  NewDoc();
  doc->SetTitle(U("my script"));
  view.OnInitialUpdate(std::string(kSjisCrLf.constData(), kSjisCrLf.size() - 2));  // no final line end
  QStringList recent, titles;
  QObject::connect(doc.get(), &CMyDoc::addToRecentFileList, [&](const QString& p) { recent << p; });
  QObject::connect(doc.get(), &CMyDoc::titleChanged, [&](const QString& t) { titles << t; });

  // Cancel keeps everything: codes, path, no file.
  doc->SetSaveAsDialogRunner([](COpenFileDlg& dlg) {
    dlg.show();
    dlg.KanjiCodeList()->setCurrentIndex(3);
    dlg.reject();
    return dlg.result() == QDialog::Accepted;
  });
  EXPECT_FALSE(doc->DoSave(QString()));
  EXPECT_EQ(doc->KanjiCode(), 0);
  EXPECT_TRUE(doc->GetPathName().isEmpty());

  doc->SetSaveAsDialogRunner(SaveAs(QString(), 1, 1));
  ASSERT_TRUE(doc->DoSave(QString()));
  EXPECT_EQ(proposed, U("my.pl"));
  EXPECT_EQ(startFolder, QDir(dir.path()).canonicalPath());  // "Directory" was made current
  EXPECT_EQ(shownKanji, 0);
  EXPECT_EQ(shownCrLf, 0);
  const QString saved = Path("my.pl");
  EXPECT_EQ(ReadAll(saved), kEucLf);  // EUC-JP, LF, and a final line end added on disk only
  EXPECT_EQ(view.Buffer().GetText(), std::string(kSjisCrLf.constData(), kSjisCrLf.size() - 2));
  EXPECT_EQ(doc->KanjiCode(), 1);
  EXPECT_EQ(doc->CrLf(), 1);
  EXPECT_EQ(QFileInfo(doc->GetPathName()).canonicalFilePath(), QFileInfo(saved).canonicalFilePath());
  EXPECT_EQ(doc->GetTitle(), U("my.pl"));
  EXPECT_EQ(doc->GetScriptFileName(), U("my.pl"));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(settings.Directory, GetFolderPart(doc->GetPathName().toStdString()));
  EXPECT_EQ(recent, QStringList{doc->GetPathName()});
  EXPECT_EQ(titles, QStringList{U("my.pl")});

  // A plain Save asks nothing and keeps EUC-JP and LF.
  doc->SetSaveAsDialogRunner([](COpenFileDlg&) {
    ADD_FAILURE() << "plain Save showed a dialog";
    return false;
  });
  Type("\r\n#");
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(ReadAll(saved), kEucLf + "#\n");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(messages.empty());
}

TEST_F(MyDocTest, OpenSettlesTheCodesFromTheFile) {
  WriteAll(Path("lf.pl"), "a\nb\n");
  WriteAll(Path("bare.pl"), "print 1;");
  WriteAll(Path("sjis.pl"), kSjisCrLf);
  WriteAll(Path("euc.pl"), kEucLf);

  settings.CRLF = 2;
  Open(Path("lf.pl"));
  EXPECT_EQ(doc->CrLf(), 1);
  EXPECT_EQ(view.Buffer().GetText(), "a\r\nb\r\n");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(view.CanUndo());
  Type("x");
  EXPECT_TRUE(doc->IsModified());

  Open(Path("bare.pl"));
  EXPECT_EQ(doc->CrLf(), 2);  // nothing to settle it: the default stays

  // Auto-detect off and EUC-JP chosen: Shift_JIS bytes are taken as EUC-JP.
  settings.KanjiConvert = false;
  settings.KanjiCode = 1;
  Open(Path("sjis.pl"));
  int kanji = 1, crlf = 0;
  const std::string asEuc(DecodeLoadedText(kSjisCrLf.toStdString(), false, kanji, crlf).text.View());
  EXPECT_EQ(view.Buffer().GetText(), asEuc);
  EXPECT_NE(asEuc, kSjisCrLf.toStdString());
  EXPECT_EQ(doc->KanjiCode(), 1);
  // Saved as EUC-JP those bytes would not come back: the load says so.
  EXPECT_TRUE(doc->IsLossy());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(QStringLiteral("sjis.pl")));
  messages.clear();

  settings.KanjiConvert = true;
  settings.KanjiCode = 0;
  Open(Path("euc.pl"));
  EXPECT_EQ(doc->KanjiCode(), 1);
  EXPECT_EQ(doc->CrLf(), 1);
  EXPECT_EQ(view.Buffer().GetText(), kSjisCrLf.toStdString());
  EXPECT_TRUE(messages.empty());

  // A UTF-8 character Shift_JIS cannot hold is announced with the count.
  settings.KanjiConvert = false;
  settings.KanjiCode = 3;
  WriteAll(Path("emoji.pl"), "# \xF0\x9F\x98\x80\n");
  Open(Path("emoji.pl"));
  EXPECT_EQ(view.Buffer().GetText(), "# ?\r\n");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(U(" 1 個")));
  EXPECT_TRUE(messages[0].text.contains(U("emoji.pl")));
}

// A byte order mark says UTF-8 even with recognition off, and stays on save.
TEST_F(MyDocTest, Utf8ByteOrderMarkIsHonouredAndKept) {
  settings.KanjiConvert = false;
  settings.KanjiCode = 0;
  WriteAll(Path("bom.pl"), "\xEF\xBB\xBF# \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\nprint 1;\n");
  Open(Path("bom.pl"));
  EXPECT_EQ(doc->KanjiCode(), 3);
  EXPECT_EQ(view.Buffer().GetText(), "# \x93\xfa\x96\x7b\x8c\xea\r\nprint 1;\r\n");
  Type("#\x88\x9F");
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(ReadAll(Path("bom.pl")),
            QByteArray("\xEF\xBB\xBF# \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\nprint 1;\n#\xE4\xBA\x9C\n"));
  EXPECT_TRUE(messages.empty());
}

// Bytes that recognition takes for JIS but that are none: the load says the
// save would rewrite them, and the first save over the file asks.
TEST_F(MyDocTest, AFileTheTextWouldNotWriteBackIsRewrittenOnlyWhenTheUserAgrees) {
  QByteArray noise(65536, '\0');
  unsigned seed = 1;
  for (char& c : noise) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
  WriteAll(Path("noise.pl"), noise);
  settings.KanjiConvert = true;
  Open(Path("noise.pl"));
  EXPECT_EQ(doc->KanjiCode(), 2);
  EXPECT_TRUE(doc->IsLossy());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(QStringLiteral("noise.pl")));

  // A run copy is put back afterwards: no question, and the file stays lossy.
  Type("#");
  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_TRUE(RunCopy().PutBack());
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(ReadAll(Path("noise.pl")), noise);

  answer = MsgResult::No;
  EXPECT_FALSE(doc->DoFileSave());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].icon, MsgIcon::Question);
  EXPECT_TRUE(messages[1].text.contains(QStringLiteral("noise.pl")));
  EXPECT_EQ(ReadAll(Path("noise.pl")), noise);
  EXPECT_TRUE(doc->IsModified());

  answer = MsgResult::Yes;
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_NE(ReadAll(Path("noise.pl")), noise);
  EXPECT_FALSE(doc->IsLossy());
  Type("#");
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(messages.size(), 3u);  // asked once
}

TEST_F(MyDocTest, LoadFailuresNameTheFileAndLeaveTheViewAlone) {
  view.OnInitialUpdate("kept");
  EXPECT_FALSE(doc->OnOpenDocument(Path("missing.pl")));
  QFile big(Path("big.pl"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(0x80000000LL));  // sparse: no disk space needed
  big.close();
  EXPECT_FALSE(doc->OnOpenDocument(Path("big.pl")));
  EXPECT_FALSE(doc->OnOpenDocument(dir.path()));
  EXPECT_EQ(view.Buffer().GetText(), "kept");

  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, QDir::toNativeSeparators(Path("missing.pl")) +
                                  U(" を開けませんでした。\nファイルまたはフォルダーが見つかりません。(Error:2)"));
  EXPECT_EQ(messages[1].text, U("ﾌｧｲﾙが大きすぎて開けません。"));
  EXPECT_TRUE(messages[2].text.endsWith(U("フォルダーです。(Error:21)")));
  for (const Message& m : messages) EXPECT_EQ(m.icon, MsgIcon::Exclamation);
}

TEST_F(MyDocTest, SavingAddsAFinalLineEndOnDiskOnly) {
  WriteAll(Path("s.pl"), "");
  const char* const expected[] = {"print 1;\r\n", "print 1;\n", "print 1;\r"};
  for (int crlf = 0; crlf < 3; ++crlf) {
    Open(Path("s.pl"));
    doc->SetCodes(doc->KanjiCode(), static_cast<NewlineCode>(crlf));
    view.OnInitialUpdate("print 1;");
    ASSERT_TRUE(doc->DoSave(doc->GetPathName()));
    EXPECT_EQ(ReadAll(Path("s.pl")), QByteArray(expected[crlf]));
    EXPECT_EQ(view.Buffer().GetText(), "print 1;");
  }
}

TEST_F(MyDocTest, ReadOnlyFilesAreRefusedForSaveAndSaveAs) {
  const QString ro = Path("ro.pl");
  WriteAll(ro, "old\r\n");
  Open(ro);
  ASSERT_EQ(::chmod(QFile::encodeName(ro).constData(), 0444), 0);  // the owner's bit decides, root or not
  Type("new");
  const QString refusal = U("このファイルには読み取り専用属性が設定されています。\n別のファイル名を使用して下さい。");

  EXPECT_FALSE(doc->DoSave(ro));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, refusal);
  EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);

  // File Save on a read-only file is a Save As proposing the file itself;
  // choosing it again is confirmed as a replacement, then refused.
  doc->SetSaveAsDialogRunner(SaveAs(QString(), 0, 0));
  EXPECT_FALSE(doc->DoFileSave());
  EXPECT_EQ(proposed, U("ro.pl"));
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].text, U("ro.pl は既に存在します。\n上書きしますか?"));
  EXPECT_EQ(messages[2].text, refusal);

  EXPECT_EQ(ReadAll(ro), QByteArray("old\r\n"));
  EXPECT_EQ(Mode(ro), 0444u);
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(MyDocTest, FailedSavesNeverDamageTheOldFile) {
  const QString target = Path("t.pl");
  WriteAll(target, "precious\r\n");
  Open(target);
  Type("more text than the limit lets through");
  WriteAll(Path("other.pl"), "other\r\n");
  {
    FileSizeLimit limit(4);
    EXPECT_FALSE(doc->DoSave(target));
    // Save As to a new name leaves no file; onto an existing file it leaves
    // that file whole instead of removing it.
    doc->SetSaveAsDialogRunner(SaveAs(Path("fresh.pl"), 0, 0));
    EXPECT_FALSE(doc->DoSave(QString()));
    doc->SetSaveAsDialogRunner(SaveAs(Path("other.pl"), 0, 0));
    EXPECT_FALSE(doc->DoSave(QString()));
  }
  EXPECT_EQ(ReadAll(target), QByteArray("precious\r\n"));
  EXPECT_FALSE(QFile::exists(Path("fresh.pl")));
  EXPECT_EQ(ReadAll(Path("other.pl")), QByteArray("other\r\n"));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(QFileInfo(doc->GetPathName()).fileName(), U("t.pl"));
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0].text, QDir::toNativeSeparators(target) +
                                  U(" を保存できませんでした。\nファイルが大きすぎます。(Error:27)"));

  // The file was replaced by a folder meanwhile.
  QFile::remove(target);
  ASSERT_TRUE(QDir().mkpath(target + "/inside"));
  messages.clear();
  EXPECT_FALSE(doc->DoSave(target));
  EXPECT_TRUE(QFileInfo(target + "/inside").isDir());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.endsWith(U("フォルダーです。(Error:21)")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "other.pl only";
}

TEST_F(MyDocTest, RunCopyWritesShiftJisCrLfAndPutsTheBytesBack) {
  const QString script = Path("run.pl");
  WriteAll(script, kEucLf);
  settings.KanjiConvert = true;
  Open(script);
  ASSERT_EQ(doc->KanjiCode(), 1);
  ASSERT_EQ(doc->CrLf(), 1);
  Type("#");
  int saveAllCalls = 0;
  saveAll = [&] { return ++saveAllCalls > 0; };
  settings.SaveAsSJIS = true;

  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_EQ(saveAllCalls, 1);
  EXPECT_EQ(ReadAll(script), kSjisCrLf + "#\r\n");
  const QString copy = QFile::decodeName(GetTempCopyPath(QFile::encodeName(script).toStdString()).c_str());
  EXPECT_EQ(copy, dir.filePath("tmp/run.pl_$"));
  EXPECT_EQ(ReadAll(copy), kEucLf);
  EXPECT_EQ(doc->KanjiCode(), 1);
  EXPECT_EQ(doc->CrLf(), 1);
  EXPECT_TRUE(doc->IsModified());

  EXPECT_TRUE(RunCopy().PutBack());
  EXPECT_EQ(ReadAll(script), kEucLf);
  EXPECT_FALSE(QFile::exists(copy));

  // Without SaveAsSJIS the encoding stays; unconverted, so does the newline.
  settings.SaveAsSJIS = false;
  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_EQ(ReadAll(script), QByteArray("# \xc6\xfc\xcb\xdc\xb8\xec\r\nprint 1;\r\n#\r\n"));
  EXPECT_TRUE(RunCopy().PutBack());
  ASSERT_TRUE(RunCopy().Save(false));
  EXPECT_EQ(ReadAll(script), kEucLf + "#\n");
  EXPECT_TRUE(RunCopy().PutBack());

  // AutoSave saves the document in its own codes first; that is what the
  // copy keeps, and the document is no longer modified.
  settings.AutoSave = true;
  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_EQ(ReadAll(copy), kEucLf + "#\n");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(RunCopy().PutBack());

  // A cancelled save-all question stops before any copy.
  saveAll = [] { return false; };
  EXPECT_FALSE(RunCopy().Save(true));
  EXPECT_FALSE(QFile::exists(copy));
  EXPECT_TRUE(messages.empty());
}

// The document never passes for saved while a run copy is written, so its
// recovery copy (which follows the modified flag) is never dropped for it.
TEST_F(MyDocTest, ARunCopyLeavesTheModifiedFlagAloneThroughout) {
  const QString script = Path("flag.pl");
  WriteAll(script, "old\r\n");
  Open(script);
  Type("typed");
  QSignalSpy flag(doc.get(), &CMyDoc::modifiedChanged);
  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_TRUE(RunCopy().PutBack());
  EXPECT_EQ(flag.count(), 0);
  EXPECT_TRUE(doc->IsModified());
}

// Without a state folder no record can be kept: the run is refused, and the
// file is not touched.
TEST_F(MyDocTest, NoRunWithoutARecordToPutTheScriptBack) {
  const QString script = Path("norecord.pl");
  WriteAll(script, "old\r\n");
  Open(script);
  Type("new");
  const QByteArray state = qgetenv("XDG_STATE_HOME");
  WriteAll(Path("state-is-a-file"), "x");
  qputenv("XDG_STATE_HOME", QFile::encodeName(Path("state-is-a-file")));
  const bool ran = RunCopy().Save(true);
  qputenv("XDG_STATE_HOME", state);
  EXPECT_FALSE(ran);
  EXPECT_EQ(ReadAll(script), QByteArray("old\r\n"));
  EXPECT_FALSE(QFile::exists(dir.filePath("tmp/norecord.pl_$")));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.startsWith(script + U(" の実行前の内容を "))) << messages[0].text.toStdString();
}

TEST_F(MyDocTest, RunCopyOfAReadOnlyFileRestoresItsMark) {
  const QString script = Path("ro.pl");
  WriteAll(script, "old\r\n");
  Open(script);
  view.OnInitialUpdate("new");
  ASSERT_EQ(::chmod(QFile::encodeName(script).constData(), 0444), 0);
  ASSERT_TRUE(RunCopy().Save(true));
  EXPECT_EQ(ReadAll(script), QByteArray("new\r\n"));
  EXPECT_TRUE(RunCopy().PutBack());
  EXPECT_EQ(ReadAll(script), QByteArray("old\r\n"));
  EXPECT_EQ(Mode(script), 0444u);
  EXPECT_FALSE(QFile::exists(dir.filePath("tmp/ro.pl_$")));
}

TEST_F(MyDocTest, RunCopyThatCannotBeMadeStopsTheRun) {
  const QString script = Path("r.pl");
  WriteAll(script, kEucLf);
  settings.KanjiConvert = true;
  Open(script);
  Type("#");
  // Something older stands where the copy goes; it must not pass for the copy.
  ASSERT_TRUE(QDir().mkpath(dir.filePath("tmp/r.pl_$")));
  settings.SaveAsSJIS = true;
  EXPECT_FALSE(RunCopy().Save(true));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, U("テンポラリファイルを作成出来ませんでした。"));
  EXPECT_EQ(messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(ReadAll(script), kEucLf);
  EXPECT_EQ(doc->KanjiCode(), 1);
  EXPECT_EQ(doc->CrLf(), 1);
  EXPECT_TRUE(doc->IsModified());

  // A copy that cannot go back stays where it is.
  WriteAll(dir.filePath("tmp/x.pl_$"), "kept");
  EXPECT_FALSE(ScriptRunCopy::PutBack(QFile::encodeName(Path("gone/x.pl")).toStdString()));
  EXPECT_EQ(ReadAll(dir.filePath("tmp/x.pl_$")), QByteArray("kept"));
}

}  // namespace

namespace corvella {
namespace {

// Nothing of loading, editing, undoing or saving needs a view: the text is the document's.
TEST(MyDocWithoutView, OpensEditsUndoesAndSaves) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("alone.pl"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("print 1;\n");
  }
  Settings settings;
  settings.CRLF = kNewlineCrLf;
  CMyDoc doc(settings);
  ASSERT_TRUE(doc.OnOpenDocument(path));
  doc.SetPathName(path, false);
  EXPECT_EQ(doc.CrLf(), kNewlineLf);
  EXPECT_FALSE(doc.IsModified());

  EditBuffer& buffer = doc.Text().Buffer();
  buffer.SetSel(0, 0);
  doc.Text().History().RecordInsertText(buffer, "# a\r\n");
  buffer.ReplaceSel("# a\r\n");
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.DoFileSave());
  EXPECT_FALSE(doc.IsModified());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("# a\nprint 1;\n"));

  ASSERT_TRUE(doc.Text().History().Undo(buffer));
  EXPECT_EQ(buffer.GetText(), "print 1;\r\n");
  EXPECT_TRUE(doc.IsModified());
  // Redone to the text as saved: unmodified again, and each change says so.
  QSignalSpy marks(&doc, &CMyDoc::modifiedChanged);
  ASSERT_TRUE(doc.Text().History().Redo(buffer));
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(doc.Text().History().Undo(buffer));
  ASSERT_EQ(marks.count(), 2);
  EXPECT_EQ(marks[0][0].toBool(), false);
  EXPECT_EQ(marks[1][0].toBool(), true);
  // Marked modified by hand (as a recovered text is), no undo or redo finds a saved text.
  doc.SetModifiedFlag(false);
  doc.SetModifiedFlag(true);
  ASSERT_TRUE(doc.Text().History().Redo(buffer));
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.Text().History().Undo(buffer));
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace corvella
