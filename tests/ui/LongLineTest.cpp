// Long lines, whose views lay out only the part in sight: caret positions and hit tests as the whole line's layout
// gives them, typing undone, and the colours of the part in sight as the lexer gives them for the whole line.
#include <cctype>
#include <cstdlib>
#include <random>
#include <string>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "document/LineLayout.h"
#include "document/PerlLexer.h"
#include "editor/SyntaxView.h"

using namespace corvella;

namespace {

const char* const kPieces[] = {"a", "b", " ", "\t", "\x82\xA0", "\x95\x5C", "xyz", "\t\x82\xA0"};

std::string RandomPiece(std::mt19937& random) { return kPieces[random() % std::size(kPieces)]; }

// A line of about `size` bytes of letters, blanks, tabs and double-byte characters.
std::string RandomLine(std::mt19937& random, std::size_t size) {
  std::string line;
  while (line.size() < size) line += RandomPiece(random);
  return line;
}

TEST(LongLine, CaretPositionsAndHitTestsAgreeWithTheWholeLineLayout) {
  std::mt19937 random(7);
  CSyntaxView view;
  view.resize(600, 200);
  view.OnInitialUpdate("first\r\n" + RandomLine(random, 200000) + "\r\nlast");
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.viewport()->grab();  // the line's width sets the scroll range
  const EditBuffer& buffer = view.Buffer();
  const LineLayout reference(view.TabWidth());
  QScrollBar* h = view.horizontalScrollBar();
  ASSERT_GT(h->maximum(), 100000);
  for (int step = 0; step < 300; ++step) {
    const std::size_t start = buffer.LineIndex(1);
    switch (random() % 3) {
      case 0: {  // an edit somewhere in the line, checkpoints after it out of date
        const std::size_t at = buffer.CharStart(start + random() % buffer.LineLength(1));
        view.SetSel(at, at);
        view.ReplaceSel(random() % 4 ? RandomPiece(random) : std::string());
        if (random() % 2) view.ReplaceSel({});
        break;
      }
      case 1:
        h->setValue(static_cast<int>(random() % static_cast<unsigned>(h->maximum() + 1)));
        break;
      default:
        view.viewport()->grab();
        break;
    }
    const std::string line = buffer.GetLine(1);
    const QRect fr = view.FormattingRect();
    const std::size_t offset = random() % (line.size() + 1);
    const int x = fr.left() + static_cast<int>(std::lround(reference.CellOf(line, offset) * view.CellWidth())) -
                  h->value();
    ASSERT_EQ(view.PosFromChar(start + offset), QPoint(x, fr.top() + view.LineHeight())) << "step " << step;
    const int clickX = fr.left() + static_cast<int>(random() % static_cast<unsigned>(fr.width()));
    const qreal column = (clickX - fr.left() + h->value()) / view.CellWidth();
    ASSERT_EQ(view.CharFromPos(QPoint(clickX, fr.top() + view.LineHeight() + 2)),
              start + reference.OffsetAt(line, column))
        << "step " << step;
  }
}

TEST(LongLine, TypingThenUndoRestoresTheBytes) {
  std::mt19937 random(3);
  CSyntaxView view;
  view.resize(600, 200);
  const std::string text = RandomLine(random, 100000) + "\r\n";
  view.OnInitialUpdate(text);
  view.show();
  view.setFocus();
  const std::size_t middle = view.Buffer().CharStart(50000);
  view.SetSel(middle, middle + 9);
  QTest::keyClicks(&view, "ab\t");
  QKeyEvent kana(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("あ"));
  QApplication::sendEvent(&view, &kana);
  QTest::keyClick(&view, Qt::Key_Backspace);
  EXPECT_EQ(view.Buffer().GetText(middle, middle + 3), "ab\t");
  for (int i = 0; i < 10 && view.Buffer().GetText() != text; ++i) view.Undo();
  EXPECT_EQ(view.Buffer().GetText(), text);
}

// Pixels near `color` in the cell of the first character at or after `pos`.
int PixelsNear(const QImage& image, CSyntaxView& view, std::size_t pos, QColor color) {
  const QPoint at = view.PosFromChar(pos);
  int n = 0;
  for (int y = at.y(); y < at.y() + view.LineHeight(); ++y) {
    for (int x = at.x(); x < at.x() + static_cast<int>(view.CellWidth()); ++x) {
      const QColor c(image.pixel(x, y));
      n += std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) + std::abs(c.blue() - color.blue()) < 90;
    }
  }
  return n;
}

TEST(LongLine, ColoursThePartInSightAsTheLexerColoursTheWholeLine) {
  std::string line;
  while (line.size() < 100000) line += "if ($a =~ /ab+c/) { print \"hello\"; foo(1); } ";
  CSyntaxView view;
  view.resize(600, 100);
  view.OnInitialUpdate(line);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  std::vector<TextRun> runs;
  PerlLexer().LexLine(line, 0, runs);
  const auto classAt = [&](std::size_t i) {
    for (const TextRun& r : runs) {
      if (r.cls != LexClass::kMark && r.start <= i && i < r.start + r.length) return r.cls;
    }
    return LexClass::kText;
  };
  const auto colourOf = [&](LexClass cls) {
    const SyntaxColors& c = view.Colors();
    switch (cls) {
      case LexClass::kKeyword: return c.keyword;
      case LexClass::kString: return c.string;
      case LexClass::kPattern: return c.pattern;
      case LexClass::kSubCall: return c.subCall;
      default: return view.TextColor();
    }
  };
  // Within the coloured start of the line, then far beyond it, plain.
  for (const int firstCell : {30000, 90000}) {
    view.horizontalScrollBar()->setValue(static_cast<int>(firstCell * view.CellWidth()));
    const QImage image = view.viewport()->grab().toImage();
    int checked = 0;
    for (std::size_t i = firstCell + 2; i < firstCell + 50u; ++i) {
      // Thin glyphs may have no pixel of the pure colour.
      if (!std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == 'i' || line[i] == 'l') continue;
      const LexClass cls = firstCell < 64 * 1024 ? classAt(i) : LexClass::kText;
      EXPECT_GT(PixelsNear(image, view, i, colourOf(cls)), 0) << "byte " << i << " '" << line[i] << "'";
      checked += cls != LexClass::kText;
    }
    EXPECT_EQ(checked > 0, firstCell < 64 * 1024);
  }
}

}  // namespace
