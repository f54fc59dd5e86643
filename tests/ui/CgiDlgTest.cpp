// The CGI dialog: form variables set, encoded and remembered.
#include "run/CgiDlg.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "base/Profile.h"

using namespace corvella;

namespace {

void Set(CCgiDlg& dlg, const QString& name, const QString& value) {
  dlg.NameField()->setText(name);
  dlg.ValueField()->setPlainText(value);
  dlg.OnSet();
}

TEST(CgiDlg, VariablesAreSetEncodedAndRememberedOnlyOnOk) {
  MemoryProfile profile;
  {
    CCgiDlg dlg(profile);
    Set(dlg, QStringLiteral("q"), QStringLiteral("a b&c"));
    Set(dlg, QStringLiteral("Q"), QStringLiteral("x"));  // the same variable, letter case aside
    Set(dlg, QString::fromUtf8("名"), QString::fromUtf8("2行\n目"));
    ASSERT_EQ(dlg.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dlg.List()->topLevelItem(0)->text(0), QStringLiteral("Q"));
    dlg.accept();
    EXPECT_EQ(dlg.m_strQuery, "Q=x&%96%BC=2%8Ds%0D%0A%96%DA");
    EXPECT_EQ(dlg.m_nMethod, 1);  // GET unless told otherwise
  }
  {
    CCgiDlg dlg(profile);  // as it was left, the value's lines included
    ASSERT_EQ(dlg.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dlg.List()->topLevelItem(1)->text(1), QString::fromUtf8("2行\r\n目"));
    dlg.OnDeleteAll();
    dlg.reject();
  }
  CCgiDlg dlg(profile);
  EXPECT_EQ(dlg.List()->topLevelItemCount(), 2);
}

}  // namespace
