// The arguments dialog: the field's starting text, the list filled on opening, the length check and the history written on closing.
#include "run/ArgumentsDlg.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "base/MessageBox.h"
#include "base/Responders.h"
#include "base/Profile.h"

using namespace corvella;

namespace {

QStringList ListOf(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

}  // namespace

TEST(ArgumentsDlgTest, ListOpensWithTheHistoryAndKeepsTheTypedText) {
  MemoryProfile profile;
  {
    CArgumentsDlg dlg(profile);
    dlg.m_strArgs = QStringLiteral("first");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("引数を指定して実行"));
    EXPECT_EQ(dlg.Combo()->currentText(), QStringLiteral("first"));
    EXPECT_EQ(dlg.Combo()->lineEdit()->selectedText(), QStringLiteral("first"));  // typing replaces it
    dlg.Combo()->showPopup();  // an empty history: nothing to list
    EXPECT_EQ(dlg.Combo()->count(), 0);
    EXPECT_EQ(dlg.Combo()->currentText(), QStringLiteral("first"));
    dlg.Combo()->hidePopup();
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
  }
  for (const char* args : {"second", "third"}) {
    CArgumentsDlg dlg(profile);
    dlg.show();
    dlg.Combo()->setEditText(QString::fromLatin1(args));
    dlg.accept();
  }
  CArgumentsDlg dlg(profile);
  dlg.m_strArgs = QStringLiteral("third");
  dlg.show();
  dlg.Combo()->setEditText(QStringLiteral("typed"));
  dlg.Combo()->showPopup();
  EXPECT_EQ(ListOf(dlg.Combo()), (QStringList{QStringLiteral("third"), QStringLiteral("second"), QStringLiteral("first")}));
  EXPECT_EQ(dlg.Combo()->currentText(), QStringLiteral("typed"));
  dlg.Combo()->hidePopup();
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    dlg.grab().save(dir + QStringLiteral("/arguments.png"));
  }
  dlg.Combo()->showPopup();  // opening again lists the same, once
  EXPECT_EQ(dlg.Combo()->count(), 3);
  dlg.Combo()->hidePopup();
}

TEST(ArgumentsDlgTest, LongTextIsRefusedAndCancelKeepsTheHistory) {
  MemoryProfile profile;
  profile.WriteProfileString("Parameter List", "param1", "kept");
  QStringList messages;
  Responders responders;
  responders.SetMessage([&messages](const QString& text, MsgIcon, MsgButtons) {
    messages << text;
    return MsgResult::Ok;
  });
  {
    CArgumentsDlg dlg(profile);
    responders.Serve(&dlg);
    dlg.show();
    dlg.Combo()->setEditText(QString(256, QLatin1Char('x')));
    dlg.accept();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("255 文字以内で入力してください。"));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.History().Shown().size(), 1u);
    dlg.Combo()->setEditText(QString(255, QLatin1Char('y')));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strArgs.size(), 255);
  }
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param2"), "kept");
  {
    CArgumentsDlg dlg(profile);
    dlg.show();
    dlg.Combo()->setEditText(QStringLiteral("not confirmed"));
    dlg.reject();
  }
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param1"), std::string(255, 'y'));
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param2"), "kept");
  {
    CArgumentsDlg dlg(profile);  // an empty text runs without arguments and is not remembered
    dlg.show();
    dlg.accept();
    EXPECT_EQ(dlg.m_strArgs, QString());
  }
  EXPECT_EQ(profile.GetProfileString("Parameter List", "param1"), std::string(255, 'y'));
}
