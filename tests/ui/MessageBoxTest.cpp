// The message box helper: the hook answers for tests; the real box carries the title, icon and Japanese buttons.
#include "base/MessageBox.h"
#include "base/Responders.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>
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

TEST(MessageBox, JapaneseLinesBreakOnlyAtTheirEndsOrAfterPunctuation) {
  const QString text = QString::fromUtf8("保存しますか。\n") +
                       QString::fromUtf8("長い行は、読点の後で、句点の後で。").repeated(8) +
                       QString::fromUtf8("\n[はい] ボタンで保存します。");
  QString shown;
  int labelWidth = 0;
  int widestLine = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    shown = label->text();
    labelWidth = label->contentsRect().width();
    for (const QString& line : shown.split(QLatin1Char('\n')))
      widestLine = std::max(widestLine, label->fontMetrics().horizontalAdvance(line));
    box->accept();
  });
  ShowMessage(nullptr, text, MsgIcon::Question, MsgButtons::Ok);
  // Every line fits the label, so the label breaks none itself.
  EXPECT_GT(widestLine, 0);
  EXPECT_LE(widestLine, labelWidth);
  const QStringList lines = shown.split(QLatin1Char('\n'));
  EXPECT_GT(lines.size(), 3);
  EXPECT_EQ(lines.front(), QString::fromUtf8("保存しますか。"));
  EXPECT_EQ(lines.back(), QString::fromUtf8("[はい] ボタンで保存します。"));
  for (const QString& line : lines.mid(1, lines.size() - 2)) {
    EXPECT_TRUE(line.endsWith(QChar(0x3001)) || line.endsWith(QChar(0x3002))) << line.toStdString();
  }
  EXPECT_EQ(QString(shown).remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
}

}  // namespace
