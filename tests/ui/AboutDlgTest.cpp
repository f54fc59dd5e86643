// The about box and its link labels: texts, layout, link drawing, the hand cursor, clicks and the About command.
#include "controls/AboutDlg.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "base/CommandRouter.h"
#include "base/DesktopOpener.h"
#include "base/Responders.h"
#include "app/MainFrame.h"
#include "app/MyApp.h"
#include "base/QSettingsProfile.h"
#include "controls/HyperLink.h"
#include "res/Strings.h"
#include "res/resource.h"

using namespace corvella;

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QIcon TestIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::red);
  return QIcon(pixmap);
}

template <typename T>
T* Control(const QWidget& dlg, int id) {
  return dlg.findChild<T*>(QString::number(id));
}

// The cursor the pointer takes at `pos` of `top`: that of the innermost
// widget there that has one of its own.
Qt::CursorShape CursorAt(QWidget& top, QPoint pos) {
  for (QWidget* w = top.childAt(pos); w; w = w->parentWidget()) {
    if (w->testAttribute(Qt::WA_SetCursor)) return w->cursor().shape();
    if (w == &top) break;
  }
  return top.cursor().shape();
}

struct LinkHook {
  std::vector<QUrl> opened;
  Responders responders;
  LinkHook() {
    responders.SetDesktopOpen([this](const QUrl& url) {
      opened.push_back(url);
      return true;
    });
  }
};

}  // namespace

TEST(AboutDlg, TextsAndLayout) {
  CAboutDlg dlg(TestIcon());
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(dlg.objectName(), QStringLiteral("100"));
  QStringList texts;
  for (const QLabel* label : dlg.findChildren<QLabel*>()) texts << label->text();
  for (const char* expected : {"Corvella", "Ver.2.0.6.6", str::kAboutNotice}) {
    EXPECT_TRUE(texts.contains(Text(expected))) << expected;
  }
  auto* url = Control<CHyperLink>(dlg, res::IDC_ABOUT_URL);
  auto* mail = Control<CHyperLink>(dlg, res::IDC_ABOUT_MAIL);
  auto* build = Control<QLabel>(dlg, res::IDC_ABOUT_BUILD);
  ASSERT_TRUE(url && mail && build);
  EXPECT_TRUE(url->text().startsWith(QLatin1String("https://")));
  EXPECT_TRUE(mail->text().startsWith(QLatin1String("mailto:")));
  static const QRegularExpression stamp(
      QStringLiteral("^Build: [A-Z][a-z]{2} [1-9][0-9]? [0-9]{4} @ [0-2][0-9]:[0-5][0-9]:[0-6][0-9]$"));
  EXPECT_TRUE(stamp.match(build->text()).hasMatch()) << build->text().toStdString();

  auto* icon = dlg.findChild<QLabel*>(QStringLiteral("icon"));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));

  // A fixed size, wider than tall, holding every control whole and without overlaps.
  EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
  EXPECT_GT(dlg.width(), dlg.height());
  const QList<QWidget*> controls = dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_GE(controls.size(), 8);
  for (const QWidget* w : controls) {
    EXPECT_TRUE(dlg.rect().contains(w->geometry())) << w->objectName().toStdString();
    EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    for (const QWidget* other : controls) {
      if (w != other) {
        EXPECT_FALSE(w->geometry().intersects(other->geometry())) << w->objectName().toStdString();
      }
    }
  }
  auto* ok = dlg.findChild<QPushButton*>(QStringLiteral("ok"));
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(AboutDlg, LinksDrawUnderlinedBlueInTheDialogFont) {
  CAboutDlg dlg(TestIcon());
  auto* url = Control<CHyperLink>(dlg, res::IDC_ABOUT_URL);
  ASSERT_TRUE(url);
  // The label's own font does not count: the dialog's does, underlined.
  url->setFont(QFont(QStringLiteral("monospace"), 20));
  const QFont link = url->LinkFont();
  EXPECT_TRUE(link.underline());
  EXPECT_EQ(link.family(), dlg.font().family());
  EXPECT_EQ(link.pointSize(), dlg.font().pointSize());
  EXPECT_EQ(link.pointSize(), 9);
  EXPECT_FALSE(dlg.font().underline());

  dlg.show();
  const QImage image = url->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb background = dlg.grab(url->geometry()).toImage().pixel(image.width() - 1, image.height() - 1);
  // Ink is blue or blue blended into the background; one row (the
  // underline) is pure blue across most of the caption.
  int longestBlueRun = 0, pureBlue = 0;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (p == background) continue;
      EXPECT_LE(qRed(p), qBlue(p));
      EXPECT_LE(qGreen(p), qBlue(p));
      if ((p & 0xFFFFFF) == 0x0000FF) {
        ++pureBlue;
        longestBlueRun = std::max(longestBlueRun, ++run);
      } else {
        run = 0;
      }
    }
  }
  EXPECT_GT(pureBlue, 0);
  EXPECT_GT(longestBlueRun, image.width() * 8 / 10);
  // Drawn from the top-left corner: the first ink sits in the leftmost columns.
  bool inkNearLeft = false;
  for (int y = 0; y < image.height() && !inkNearLeft; ++y) {
    for (int x = 0; x < 3; ++x) inkNearLeft |= image.pixel(x, y) != background;
  }
  EXPECT_TRUE(inkNearLeft);
}

TEST(AboutDlg, LinksOpenTheirCaptionsAndShowTheHand) {
  LinkHook hook;
  CAboutDlg dlg(TestIcon());
  hook.responders.Serve(&dlg);
  dlg.setCursor(Qt::IBeamCursor);  // a dialog cursor of its own, to see it come back
  dlg.show();
  auto* url = Control<CHyperLink>(dlg, res::IDC_ABOUT_URL);
  auto* mail = Control<CHyperLink>(dlg, res::IDC_ABOUT_MAIL);
  ASSERT_TRUE(url && mail);

  QTest::mouseClick(url, Qt::RightButton);
  EXPECT_TRUE(hook.opened.empty());
  QTest::mouseClick(url, Qt::LeftButton, {}, QPoint(2, 2));
  QTest::mouseClick(mail, Qt::LeftButton, {}, QPoint(2, 2));
  ASSERT_EQ(hook.opened.size(), 2u);
  EXPECT_EQ(hook.opened[0].toString(), Text(str::kAboutUrl));
  EXPECT_EQ(hook.opened[0].scheme(), QStringLiteral("https"));
  EXPECT_EQ(hook.opened[1].toString(), Text(str::kAboutMail));
  EXPECT_EQ(hook.opened[1].scheme(), QStringLiteral("mailto"));

  // A caption without a scheme still opens as a web address.
  CHyperLink bare(QStringLiteral("varkel.example"));
  hook.responders.Serve(&bare);
  QTest::mouseClick(&bare, Qt::LeftButton);
  ASSERT_EQ(hook.opened.size(), 3u);
  EXPECT_EQ(hook.opened[2].scheme(), QStringLiteral("http"));
  EXPECT_EQ(hook.opened[2].host(), QStringLiteral("varkel.example"));

  // The hand over a link, the dialog's own cursor beside it.
  EXPECT_EQ(CursorAt(dlg, url->geometry().center()), Qt::PointingHandCursor);
  EXPECT_EQ(CursorAt(dlg, mail->geometry().center()), Qt::PointingHandCursor);
  EXPECT_EQ(CursorAt(dlg, url->geometry().topRight() + QPoint(4, 0)), Qt::IBeamCursor);
  EXPECT_EQ(CursorAt(dlg, mail->geometry().bottomLeft() + QPoint(0, 4)), Qt::IBeamCursor);
}

TEST(AboutDlg, AboutCommandShowsTheBoxOverTheMainWindow) {
  {
    QSettingsProfile profile;
    profile.WriteProfileInt("Settings", "OpenMode", 2);  // no document
    profile.Flush();
  }
  CMyApp app;
  ASSERT_TRUE(app.InitInstance({}));
  CMainFrame* frame = app.MainFrame();
  int shown = 0;
  app.GetResponders().SetModal([&](QDialog& dlg) {
    ++shown;
    EXPECT_NE(qobject_cast<CAboutDlg*>(&dlg), nullptr);
    EXPECT_EQ(dlg.parentWidget(), frame);
    EXPECT_EQ(dlg.windowTitle(), Text(str::kAboutTitle));
    const auto* icon = dlg.findChild<QLabel*>(QStringLiteral("icon"));
    EXPECT_TRUE(icon && icon->pixmap().toImage() == frame->windowIcon().pixmap(32, 32).toImage());
    return int(QDialog::Accepted);
  });
  EXPECT_TRUE(frame->Router().Query(res::ID_APP_ABOUT).enabled);
  EXPECT_TRUE(frame->Router().Route(res::ID_APP_ABOUT));
  app.GetResponders().SetModal({});
  EXPECT_EQ(shown, 1);
  frame->close();
  app.ExitInstance();
}
