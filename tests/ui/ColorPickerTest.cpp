// Colour button, pop-up and editor font dialog: choosing with mouse and keys, cancelling, the custom colour dialog, placement, tool tips, the dialog's members and font list.
#include "controls/CJColorPicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/EditorFont.h"
#include "base/Responders.h"
#include "controls/ColorFontDlg.h"
#include "controls/ColorPopup.h"
#include "controls/ColorPopupGrid.h"
#include "res/resource.h"

using namespace corvella;

namespace {

constexpr ColorRef kRed = 0x0000FF;        // cell 16
constexpr ColorRef kBrown = 0x002AA5;      // cell 1
constexpr ColorRef kOffTable = 0x123456;

// What the picker tells its parent, in order.
struct Events {
  std::vector<std::string> names;
  std::vector<ColorRef> colors;
  void Add(const char* name, ColorRef color) {
    names.emplace_back(name);
    colors.push_back(color);
  }
};

void Record(CCJColorPicker& picker, Events& out) {
  QObject::connect(&picker, &CCJColorPicker::PickerSelChange, [&out](ColorRef c) { out.Add("change", c); });
  QObject::connect(&picker, &CCJColorPicker::PickerDropDown, [&out](ColorRef c) { out.Add("dropdown", c); });
  QObject::connect(&picker, &CCJColorPicker::PickerCloseUp, [&out](ColorRef c) { out.Add("closeup", c); });
  QObject::connect(&picker, &CCJColorPicker::PickerSelEndOk, [&out](ColorRef c) { out.Add("ok", c); });
  QObject::connect(&picker, &CCJColorPicker::PickerSelEndCancel, [&out](ColorRef c) { out.Add("cancel", c); });
}

QPoint Center(const QRect& r) { return r.center(); }

// Answers the custom box's colour dialog over `window` for one test.
class DialogAnswer {
 public:
  DialogAnswer(QWidget& window, std::optional<ColorRef> answer) {
    m_responders.SetModal([this, answer](QDialog& dialog) {
      auto& box = static_cast<QColorDialog&>(dialog);
      const QColor initial = box.currentColor();
      asked.push_back(MakeColorRef(initial.red(), initial.green(), initial.blue()));
      if (!answer) return int(QDialog::Rejected);
      box.setCurrentColor(ColorFromRef(*answer, 0));
      box.accept();
      return box.result();
    });
    m_responders.Serve(&window);
  }
  std::vector<ColorRef> asked;

 private:
  Responders m_responders;
};

class ColorPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.resize(300, 200);
    picker = new CCJColorPicker(&host);
    picker->setGeometry(20, 20, 100, picker->sizeHint().height());
    host.move(100, 100);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    Record(*picker, events);
  }

  CColorPopup* Open(ColorRef color) {
    picker->SetColor(color);
    QTest::mouseClick(picker, Qt::LeftButton);
    QCoreApplication::processEvents();  // the window activations that showing brings
    return picker->Popup();
  }

  // The pop-up deletes itself once the event loop has run.
  static bool Gone(const QPointer<CColorPopup>& popup) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return popup.isNull();
  }

  QWidget host;
  CCJColorPicker* picker = nullptr;
  Events events;
};

}  // namespace

TEST_F(ColorPickerTest, AutomaticColourShowsTheAutomaticBoxAndChoosingItYieldsTheAutomaticValue) {
  QPointer<CColorPopup> popup = Open(kAutomaticColor);
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->ChosenIndex(), kCellAutomatic);
  EXPECT_EQ(popup->HotIndex(), kCellNone);
  EXPECT_TRUE(picker->popupActive);
  QTest::keyClick(popup, Qt::Key_Escape);
  ASSERT_TRUE(Gone(popup));

  // From red: hover a cell, then the automatic box, release there.
  events = {};
  popup = Open(kRed);
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->ChosenIndex(), 16);
  QTest::mouseMove(popup, Center(popup->CellRect(3)));
  QTest::mouseMove(popup, Center(popup->CellRect(kCellAutomatic)));
  EXPECT_EQ(popup->HotIndex(), kCellAutomatic);
  QTest::mouseRelease(popup, Qt::LeftButton, {}, Center(popup->CellRect(kCellAutomatic)));
  EXPECT_EQ(picker->GetColor(), kAutomaticColor);
  EXPECT_FALSE(picker->popupActive);
  EXPECT_EQ(events.names, (std::vector<std::string>{"dropdown", "change", "change", "closeup", "ok"}));
  EXPECT_EQ(events.colors, (std::vector<ColorRef>{kRed, ColorTable[3].color, kAutomaticColor, kAutomaticColor,
                                                  kAutomaticColor}));
  EXPECT_TRUE(Gone(popup));
  EXPECT_EQ(picker->Popup(), nullptr);
}

TEST_F(ColorPickerTest, ColourOutsideTheTableMarksTheCustomBoxAndEnterKeepsIt) {
  QPointer<CColorPopup> popup = Open(kOffTable);
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->ChosenIndex(), kCellCustom);
  DialogAnswer answer(host, 0x00FF00);  // must not be asked: the custom box is not hot
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_TRUE(answer.asked.empty());
  EXPECT_EQ(picker->GetColor(), kOffTable);
  EXPECT_EQ(events.names, (std::vector<std::string>{"dropdown", "closeup", "ok"}));
  EXPECT_EQ(events.colors.back(), kOffTable);
  EXPECT_TRUE(Gone(popup));
}

TEST_F(ColorPickerTest, ArrowKeysChooseAndEscapeOrAReleaseOutsideCancel) {
  // From no hot cell: Right goes round custom, automatic, then the first cells.
  QPointer<CColorPopup> popup = Open(kRed);
  for (int i = 0; i < 4; ++i) QTest::keyClick(popup, Qt::Key_Right);
  EXPECT_EQ(popup->HotIndex(), 1);
  QTest::keyClick(popup, Qt::Key_Down);
  EXPECT_EQ(popup->HotIndex(), 11);
  QTest::keyClick(popup, Qt::Key_Up);
  QTest::keyClick(popup, Qt::Key_Space);
  EXPECT_EQ(picker->GetColor(), kBrown);
  EXPECT_EQ(events.colors, (std::vector<ColorRef>{kRed, kRed, kAutomaticColor, ColorTable[0].color, kBrown,
                                                  ColorTable[11].color, kBrown, kBrown, kBrown}));
  EXPECT_TRUE(Gone(popup));

  // Escape after moving: the starting colour comes back, also to a button
  // that showed the colour under the keyboard at once.
  events = {};
  picker->trackSelection = true;
  popup = Open(kRed);
  QTest::keyClick(popup, Qt::Key_Left);
  EXPECT_EQ(picker->GetColor(), kAutomaticColor);
  QTest::keyClick(popup, Qt::Key_Escape);
  picker->trackSelection = false;
  EXPECT_EQ(picker->GetColor(), kRed);
  EXPECT_EQ(events.names, (std::vector<std::string>{"dropdown", "change", "closeup", "cancel"}));
  EXPECT_EQ(events.colors.back(), kRed);
  EXPECT_TRUE(Gone(popup));

  // A release outside the pop-up after hovering a colour.
  events = {};
  popup = Open(kRed);
  QTest::mouseMove(popup, Center(popup->CellRect(5)));
  EXPECT_EQ(popup->CurrentColor(), ColorTable[5].color);
  QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(-10, -10));
  EXPECT_TRUE(popup);  // a press alone decides nothing
  QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(-10, -10));
  EXPECT_EQ(picker->GetColor(), kRed);
  EXPECT_EQ(events.names.back(), "cancel");
  EXPECT_EQ(events.colors.back(), kRed);
  EXPECT_TRUE(Gone(popup));

  // Losing the keyboard focus cancels too.
  events = {};
  popup = Open(kRed);
  QTest::keyClick(popup, Qt::Key_Down);
  QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(popup, &focusOut);
  EXPECT_EQ(picker->GetColor(), kRed);
  EXPECT_EQ(events.names.back(), "cancel");
  EXPECT_TRUE(Gone(popup));
  EXPECT_FALSE(picker->popupActive);
}

TEST_F(ColorPickerTest, CustomBoxTakesTheColourDialogsAnswerAndItsCancelCancelsTheChoice) {
  {
    DialogAnswer answer(host, kOffTable);
    QPointer<CColorPopup> popup = Open(kRed);
    QTest::mouseMove(popup, Center(popup->CellRect(kCellCustom)));
    EXPECT_EQ(popup->HotIndex(), kCellCustom);
    EXPECT_EQ(events.colors.back(), kRed);  // the custom box offers the starting colour
    QTest::mouseRelease(popup, Qt::LeftButton, {}, Center(popup->CellRect(kCellCustom)));
    EXPECT_EQ(answer.asked, std::vector<ColorRef>{kRed});
    EXPECT_EQ(picker->GetColor(), kOffTable);
    EXPECT_EQ(events.names.back(), "ok");
    EXPECT_TRUE(Gone(popup));
  }
  {
    DialogAnswer answer(host, std::nullopt);
    events = {};
    QPointer<CColorPopup> popup = Open(kBrown);
    QTest::mouseMove(popup, Center(popup->CellRect(7)));
    for (int i = 0; i < 4; ++i) QTest::keyClick(popup, Qt::Key_Down);  // 17, 27, 37, past the grid
    EXPECT_EQ(popup->HotIndex(), kCellCustom);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(answer.asked, std::vector<ColorRef>{kBrown});
    EXPECT_EQ(picker->GetColor(), kBrown);
    EXPECT_EQ(events.names.back(), "cancel");
    EXPECT_EQ(events.colors.back(), kBrown);
    EXPECT_TRUE(Gone(popup));
  }
}

TEST_F(ColorPickerTest, PopupOpensUnderTheButtonAndStaysOnScreen) {
  QPointer<CColorPopup> popup = Open(kRed);
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->geometry().topLeft(), picker->mapToGlobal(QPoint(0, picker->height())));
  const QSize size = popup->size();
  EXPECT_EQ(size.width(), popup->Grid().WindowSize().width);
  QTest::keyClick(popup, Qt::Key_Escape);
  ASSERT_TRUE(Gone(popup));

  const QRect screen = picker->screen()->availableGeometry();
  auto* nearRight = new CColorPopup;
  ASSERT_TRUE(nearRight->Create(QPoint(screen.right() - 10, screen.top() + 50), kRed, picker));
  EXPECT_EQ(nearRight->geometry().right(), screen.right());
  EXPECT_EQ(nearRight->geometry().top(), screen.top() + 50);
  delete nearRight;

  auto* nearBottom = new CColorPopup;
  const QPoint corner(screen.left() + 40, screen.bottom() - 10);
  ASSERT_TRUE(nearBottom->Create(corner, kRed, picker));
  EXPECT_EQ(nearBottom->geometry().left(), corner.x());
  EXPECT_EQ(nearBottom->geometry().bottom() + 1, corner.y() - picker->height());
  delete nearBottom;
}

TEST_F(ColorPickerTest, ToolTipsNameTheColourUnderThePointer) {
  QPointer<CColorPopup> popup = Open(kRed);
  ASSERT_TRUE(popup);
  const QPoint pos = Center(popup->CellRect(35));
  QHelpEvent help(QEvent::ToolTip, pos, popup->mapToGlobal(pos));
  QApplication::sendEvent(popup, &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Pale green "));
  EXPECT_EQ(popup->ToolTipAt(Center(popup->CellRect(0))), QStringLiteral("Black"));
  EXPECT_TRUE(popup->ToolTipAt(Center(popup->CellRect(kCellAutomatic))).isEmpty());
  QToolTip::hideText();
  QTest::keyClick(popup, Qt::Key_Escape);
  EXPECT_TRUE(Gone(popup));
}

TEST_F(ColorPickerTest, ButtonDrawsItsColourAndThePopupItsCells) {
  picker->SetColor(kRed);
  QImage image = picker->grab().toImage();
  const QPoint swatch(picker->width() / 3, picker->height() / 2);
  EXPECT_EQ(image.pixelColor(swatch), QColor(255, 0, 0));
  // Automatic and disabled buttons show the button face instead.
  picker->SetColor(kAutomaticColor);
  EXPECT_EQ(picker->grab().toImage().pixelColor(swatch), picker->palette().color(QPalette::Button));
  picker->SetColor(kRed);
  picker->setEnabled(false);
  EXPECT_EQ(picker->grab().toImage().pixelColor(swatch), picker->palette().color(QPalette::Button));
  picker->setEnabled(true);

  QPointer<CColorPopup> popup = Open(kRed);
  ASSERT_TRUE(popup);
  QTest::mouseMove(popup, Center(popup->CellRect(35)));
  image = popup->grab().toImage();
  EXPECT_EQ(image.pixelColor(Center(popup->CellRect(16))), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(Center(popup->CellRect(35))), QColor(152, 251, 152));
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    image.save(QDir(dir).filePath(QStringLiteral("colorpopup.png")));
  }
  QTest::keyClick(popup, Qt::Key_Escape);
  EXPECT_TRUE(Gone(popup));
}

TEST(ColorFontDlg, MembersGoToThePickersOnShowAndComeBackOnlyOnOk) {
  const QFont start = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  CColorFontDlg dialog(start);
  dialog.m_crKeyword = 0x000001;
  dialog.m_crComment = 0x000002;
  dialog.m_crString = 0x000003;
  dialog.m_crPattern = 0x000004;
  dialog.m_crSubCall = 0x000005;
  dialog.m_crBack = kAutomaticColor;
  dialog.m_crText = 0x000007;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("エディタ フォントの設定"));

  // Top to bottom: text, background, keyword, comment, string, pattern, subroutine call.
  const std::vector<std::pair<int, ColorRef>> order = {
      {res::IDC_COLOR_TEXT, 0x000007},   {res::IDC_COLOR_BACK, kAutomaticColor}, {res::IDC_COLOR_KEYWORD, 0x000001},
      {res::IDC_COLOR_COMMENT, 0x000002}, {res::IDC_COLOR_STRING, 0x000003},     {res::IDC_COLOR_PATTERN, 0x000004},
      {res::IDC_COLOR_SUBCALL, 0x000005}};
  int lastY = -1;
  for (const auto& [id, color] : order) {
    CCJColorPicker* p = dialog.findChild<CCJColorPicker*>(QStringLiteral("picker%1").arg(id));
    ASSERT_NE(p, nullptr) << id;
    EXPECT_EQ(p, dialog.Picker(id));
    EXPECT_EQ(p->property("controlId").toInt(), id);
    EXPECT_EQ(p->GetColor(), color) << id;
    const int y = p->mapTo(&dialog, QPoint(0, 0)).y();
    EXPECT_GT(y, lastY) << id;
    lastY = y;
  }
  QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  auto labelOf = [&labels](int id) {
    for (QLabel* l : labels) {
      if (l->buddy() && l->buddy()->property("controlId").toInt() == id) return l->text();
    }
    return QString();
  };
  EXPECT_EQ(labelOf(res::IDC_COLOR_SUBCALL), QStringLiteral("サブルーチン コール:"));
  EXPECT_EQ(labelOf(res::IDC_COLOR_PATTERN), QStringLiteral("正規表現パターン:"));

  // The comment colour chosen in its pop-up, then cancel: nothing changes.
  CCJColorPicker* comment = dialog.Picker(res::IDC_COLOR_COMMENT);
  QTest::mouseClick(comment, Qt::LeftButton);
  QPointer<CColorPopup> popup = comment->Popup();
  ASSERT_TRUE(popup);
  if (const QString dir = qEnvironmentVariable("CORVELLA_SHOT_DIR"); !dir.isEmpty()) {
    dialog.grab().save(QDir(dir).filePath(QStringLiteral("colorfont.png")));
  }
  QTest::mouseMove(popup, Center(popup->CellRect(26)));
  QTest::mouseRelease(popup, Qt::LeftButton, {}, Center(popup->CellRect(26)));
  EXPECT_EQ(comment->GetColor(), 0x00FFFFu);
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.m_crComment, 0x000002u);

  // Shown again: the members come back into the pickers; OK takes the change.
  dialog.show();
  EXPECT_EQ(comment->GetColor(), 0x000002u);
  comment->SetColor(0x00FFFF);
  dialog.Picker(res::IDC_COLOR_BACK)->SetColor(0xFFFFFF);
  QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.m_crComment, 0x00FFFFu);
  EXPECT_EQ(dialog.m_crBack, 0xFFFFFFu);
  EXPECT_EQ(dialog.m_crKeyword, 0x000001u);
  EXPECT_EQ(dialog.m_crText, 0x000007u);
  EXPECT_EQ(dialog.m_crSubCall, 0x000005u);
}

// Narrow and wide letters of equal width: fixed pitch as the eye sees it.
bool LooksFixedPitch(const QString& family) {
  QFont font(family);
  font.setPixelSize(32);
  const QFontMetricsF fm(font);
  return qFuzzyCompare(fm.horizontalAdvance(QLatin1Char('i')), fm.horizontalAdvance(QLatin1Char('W')));
}

TEST(ColorFontDlg, FontListHoldsFixedPitchFontsOnlyJapaneseOnesIncludedAndNoEffects) {
  const QString japanese = QStringLiteral("IPAGothic");  // dual width: fontconfig does not call it monospaced
  const bool haveJapanese = QFontDatabase::families().contains(japanese);
  QFont start = haveJapanese ? QFont(japanese) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  start.setPixelSize(19);
  CColorFontDlg dialog(start);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // The dialog stays on the starting font until the user picks another.
  EXPECT_EQ(dialog.SelectedFont().family(), start.family());
  EXPECT_GT(dialog.SelectedFont().pointSize(), 0);

  const QList<QListView*> lists = dialog.FontChooser()->findChildren<QListView*>();
  ASSERT_FALSE(lists.isEmpty());
  const QAbstractItemModel* families = lists.first()->model();
  QStringList shown;
  for (int row = 0; row < families->rowCount(); ++row) shown << families->index(row, 0).data().toString();
  for (const QString& family : shown) EXPECT_TRUE(LooksFixedPitch(family)) << family.toStdString();
  int proportional = 0;
  for (const QString& family : QFontDatabase::families()) {
    if (!LooksFixedPitch(family)) {
      ++proportional;
      EXPECT_FALSE(shown.contains(family)) << family.toStdString();
    }
  }
  EXPECT_GT(proportional, 0) << "no proportional font installed to tell the lists apart";
  if (haveJapanese) {
    EXPECT_TRUE(shown.contains(japanese));
    EXPECT_FALSE(shown.contains(QStringLiteral("IPAPGothic")));
  }

  // Choosing another family in the list is what the dialog then reports.
  const int other = shown.indexOf(QStringLiteral("DejaVu Sans Mono"));
  if (other >= 0) {
    lists.first()->setCurrentIndex(families->index(other, 0));
    EXPECT_EQ(dialog.SelectedFont().family(), QStringLiteral("DejaVu Sans Mono"));
  }

  for (QCheckBox* box : dialog.FontChooser()->findChildren<QCheckBox*>()) EXPECT_FALSE(box->isVisible());

  // Escape in the font list closes the whole dialog, not only the embedded chooser.
  QTest::keyClick(lists.first(), Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.FontChooser()->isHidden());
}
