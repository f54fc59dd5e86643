// Qt's own file and print dialog texts that its Japanese translation leaves in English.
#include "app/MissingQtTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(MissingQtTexts, FileTypesOfTheFileDialogAreJapanese) {
  QTemporaryDir dir;
  const QFileIconProvider icons;
  const QFileInfo folder(dir.path());
  ASSERT_EQ(icons.type(folder), QStringLiteral("Folder"));
  MissingQtTexts texts;
  QApplication::installTranslator(&texts);
  EXPECT_EQ(icons.type(folder), QString::fromUtf8("フォルダー"));
  // What it does not know is left to the other translations.
  EXPECT_EQ(QApplication::translate("QFileDialog", "Back"), QStringLiteral("Back"));
  QApplication::removeTranslator(&texts);
}

// Every text the dialog's widgets show: buttons, group titles, labels, list entries.
QStringList ShownTexts(const QWidget& dialog) {
  QStringList texts;
  for (const auto* button : dialog.findChildren<QAbstractButton*>()) texts << button->text();
  for (const auto* group : dialog.findChildren<QGroupBox*>()) texts << group->title();
  for (const auto* label : dialog.findChildren<QLabel*>()) texts << label->text();
  for (const auto* combo : dialog.findChildren<QComboBox*>()) {
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  }
  return texts;
}

TEST(MissingQtTexts, PrintDialogPagesAndDoubleSidedPrintingAreJapanese) {
  MissingQtTexts texts;
  QApplication::installTranslator(&texts);
  QPrinter printer;
  const QPrintDialog dialog(&printer);
  const QStringList shown = ShownTexts(dialog);
  QApplication::removeTranslator(&texts);
  for (const char* japanese : {"ページ指定", "両面印刷", "長辺とじ", "短辺とじ"}) {
    EXPECT_TRUE(shown.contains(QString::fromUtf8(japanese))) << japanese;
  }
  for (const char* english : {"Pages", "Double Sided Printing", "Long side binding"}) {
    EXPECT_FALSE(shown.contains(QString::fromUtf8(english))) << english;
  }
}

}  // namespace
