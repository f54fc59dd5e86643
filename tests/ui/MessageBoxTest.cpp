// The message box helper: the hook answers for tests; the real box carries the title, icon and Japanese buttons.
#include "base/MessageBox.h"
#include "base/Responders.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(MessageBox, TheWindowsRespondersAnswerInsteadOfTheBox) {
  QString seen;
  QWidget window;
  QWidget inside(&window);
  Responders responders;
  responders.Serve(&window);
  responders.SetMessage([&](const QString& text, MsgIcon icon, MsgButtons buttons) {
    seen = text;
    EXPECT_EQ(icon, MsgIcon::Exclamation);
    EXPECT_EQ(buttons, MsgButtons::YesNoCancel);
    return MsgResult::No;
  });
  EXPECT_EQ(ShowMessage(&inside, QStringLiteral("x"), MsgIcon::Exclamation, MsgButtons::YesNoCancel), MsgResult::No);
  EXPECT_EQ(seen, QStringLiteral("x"));
}

TEST(MessageBox, RealBoxShowsTitleButtonsAndEscapeCancels) {
  QStringList buttons;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    icon = box->icon();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    box->reject();
  });
  const MsgResult r = ShowMessage(nullptr, QStringLiteral("save?"), MsgIcon::Stop, MsgButtons::YesNoCancel);
  EXPECT_EQ(r, MsgResult::Cancel);
  EXPECT_EQ(title, QStringLiteral("Corvella"));
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("はい(&Y)")));
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("いいえ(&N)")));
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("キャンセル")));
}

}  // namespace
