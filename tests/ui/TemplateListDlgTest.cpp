// The template organiser over a real folder: renames in place, deletes after the question, opens for editing.
#include "app/TemplateListDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "base/MessageBox.h"
#include "base/Responders.h"

using namespace corvella;

namespace {

class TemplateListDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (const QString& name : names) {
      QFile file(dir.filePath(name + QStringLiteral(".pl")));
      file.open(QIODevice::WriteOnly);
      file.write(name.toUtf8());
    }
    responders.SetMessage([this](const QString& text, MsgIcon, MsgButtons) {
      messages << text;
      return answer;
    });
  }

  // Renames the selected item by typing into its label, as a user does.
  void TypeLabel(CTemplateListDlg& dialog, int row, const QString& text) {
    dialog.List()->setCurrentRow(row);
    dialog.OnRename();
    auto* field = dialog.List()->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
    // The list commits an edit from its queue and drops the editor later.
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QStringList OnDisk() const {
    return QDir(dir.path()).entryList({QStringLiteral("*.pl")}, QDir::Files, QDir::Name);
  }

  QTemporaryDir dir;
  QStringList names{QStringLiteral("alpha"), QStringLiteral("beta")};
  QStringList messages;
  Responders responders;
  MsgResult answer = MsgResult::Yes;
};

TEST_F(TemplateListDlgTest, RenamesInPlaceRefusingTakenAndBadNames) {
  QStringList templates = names;
  CTemplateListDlg dialog(templates, dir.path(), {});
  responders.Serve(&dialog);
  dialog.show();
  TypeLabel(dialog, 0, QStringLiteral("gamma"));
  EXPECT_EQ(OnDisk(), (QStringList{QStringLiteral("beta.pl"), QStringLiteral("gamma.pl")}));
  EXPECT_EQ(templates, (QStringList{QStringLiteral("gamma"), QStringLiteral("beta")}));
  EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("gamma"));
  EXPECT_TRUE(messages.isEmpty());

  // Onto another template, or out of the folder: nothing moves.
  TypeLabel(dialog, 0, QStringLiteral("beta"));
  TypeLabel(dialog, 1, QStringLiteral("../escaped"));
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[0], QStringLiteral("名前が重複しています。"));
  EXPECT_TRUE(messages[1].contains(QStringLiteral("../escaped")));
  EXPECT_EQ(OnDisk(), (QStringList{QStringLiteral("beta.pl"), QStringLiteral("gamma.pl")}));
  EXPECT_EQ(dialog.List()->item(1)->text(), QStringLiteral("beta"));
  EXPECT_EQ(templates, (QStringList{QStringLiteral("gamma"), QStringLiteral("beta")}));
}

TEST_F(TemplateListDlgTest, DeletesOnlyAfterYesAndOpensForEditing) {
  QStringList templates = names;
  QStringList opened;
  bool openWorks = false;
  CTemplateListDlg dialog(templates, dir.path(), [&](const QString& path) {
    opened << path;
    return openWorks;
  });
  responders.Serve(&dialog);
  dialog.show();
  dialog.List()->setCurrentRow(0);
  answer = MsgResult::No;
  dialog.OnDelete();
  EXPECT_EQ(messages.value(0), QStringLiteral("'alpha' を削除します。\nよろしいですか？"));
  EXPECT_EQ(OnDisk().size(), 2);
  answer = MsgResult::Yes;
  dialog.OnDelete();
  EXPECT_EQ(OnDisk(), QStringList{QStringLiteral("beta.pl")});
  EXPECT_EQ(templates, QStringList{QStringLiteral("beta")});
  ASSERT_EQ(dialog.List()->count(), 1);

  dialog.List()->setCurrentRow(0);
  dialog.OnEdit();
  EXPECT_EQ(messages.last(), QStringLiteral("ファイルをオープン出来ません."));
  EXPECT_TRUE(dialog.isVisible());
  openWorks = true;
  dialog.OnEdit();
  EXPECT_EQ(opened.last(), dir.filePath(QStringLiteral("beta.pl")));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
