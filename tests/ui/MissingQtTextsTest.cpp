// Qt's own file dialog texts that its Japanese translation leaves in English.
#include "app/MissingQtTexts.h"

#include <QApplication>
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

}  // namespace
