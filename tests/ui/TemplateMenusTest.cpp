// The template menu: only regular files are templates.
#include "app/TemplateMenus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/MainWindowTest.h"

#include "document/EditBuffer.h"
#include "editor/MyView.h"
#include "platform/FileNames.h"

using namespace corvella;

namespace {

class TemplateMenusTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CreateFrame();
  }
};

// Makes a FIFO `name`.pl in `folder` and a link `name`-link.pl to it.
void MakeFifoAndLink(const QString& folder, const QString& name) {
  const QString fifo = folder + QLatin1Char('/') + name + QStringLiteral(".pl");
  const QString link = folder + QLatin1Char('/') + name + QStringLiteral("-link.pl");
  QFile::remove(fifo);
  QFile::remove(link);
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(fifo, link));
}

// A FIFO, or a link to one, under a template's name would make whoever reads
// it wait for a writer for ever.
TEST_F(TemplateMenusTest, AFifoIsNoTemplate) {
  QTemporaryDir temp;
  QFile regular(temp.filePath(QStringLiteral("regular.pl")));
  ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
  regular.close();
  MakeFifoAndLink(temp.path(), QStringLiteral("fifo"));
  EXPECT_EQ(TemplateMenus::ScriptNames(temp.path()), QStringList{QStringLiteral("regular")});

  // Chosen all the same (the menu was filled before the file changed).
  const QString folder = QFile::decodeName(QByteArray::fromStdString(GetProgramFilePath("template")));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString name = QStringLiteral("fifo-%1").arg(QCoreApplication::applicationPid());
  MakeFifoAndLink(folder, name);
  docs->OnFileNew();
  CMyView* view = frame->ActiveView();
  ASSERT_NE(view, nullptr);
  frame->Templates().InsertTemplate(*view, name + QStringLiteral("-link"));
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(view->Buffer().GetTextLength(), 0u);
  QFile::remove(folder + QLatin1Char('/') + name + QStringLiteral(".pl"));
  QFile::remove(folder + QLatin1Char('/') + name + QStringLiteral("-link.pl"));
}

}  // namespace
