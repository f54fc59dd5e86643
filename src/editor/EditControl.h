// The multi-line edit control: draws an EditBuffer in a fixed-pitch grid and turns keys, mouse and input methods into edits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QTextCharFormat>
#include <QTimer>

#include <memory>

#include "document/EditBuffer.h"
#include "document/LineCellIndex.h"
#include "document/LineLayout.h"
#include "document/TextDocument.h"
#include "document/TextRun.h"

namespace corvella {

class EditControl : public QAbstractScrollArea, protected EditBuffer::Listener {
  Q_OBJECT

 public:
  // Shows a text of its own until SetDocument gives it a shared one.
  explicit EditControl(QWidget* parent = nullptr);
  ~EditControl() override;

  // Makes the control a view of `document`, with its own caret at the start
  // and its scroll position at the top.
  void SetDocument(std::shared_ptr<TextDocument> document);
  TextDocument& Document() const { return *doc_; }
  const std::shared_ptr<TextDocument>& SharedDocument() const { return doc_; }
  // The buffer, its selection made this view's: what callers acting through
  // this view edit. The const form leaves the selection where it is.
  EditBuffer& Buffer() { return Own(); }
  const EditBuffer& Buffer() const { return Buf(); }
  // This view's selection, whichever view last edited.
  EditBuffer::Selection Sel() const { return doc_->SelectionOf(viewId_); }

  // --- what the views ask of the control
  void SetText(std::string_view bytes);  // whole text, caret at 0, view at the top
  void SetSel(std::size_t anchor, std::size_t caret);
  void ReplaceSel(std::string_view bytes);  // no undo; beeps when refused
  void ScrollCaret();
  bool HasSelection() const { return !Sel().IsEmpty(); }
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return Buf().IsReadOnly(); }

  int FirstVisibleLine() const;
  void SetFirstVisibleLine(int line);
  int VisibleLineCount() const;  // whole rows that fit
  void ScrollColumns(int columns);

  // Viewport coordinates of the top-left corner of the character at `pos`.
  QPoint PosFromChar(std::size_t pos) const;
  // The character boundary nearest to `point`; the text length below the last line.
  std::size_t CharFromPos(QPoint point) const;
  // The area text is drawn in: the viewport less the margins.
  QRect FormattingRect() const;

  void SetMargins(int left, int right);
  void SetTabWidth(int characters);
  int TabWidth() const { return layout_.TabWidth(); }
  void SetEditorFont(const QFont& font);
  QFont EditorFont() const { return font_; }
  int LineHeight() const { return lineHeight_; }
  qreal CellWidth() const { return cellWidth_; }
  void SetTextColors(QColor back, QColor text);
  QColor BackColor() const { return back_; }
  // Behind the text of the document's execution line (TextDocument::ExecutionMark).
  static inline const QColor kExecutionLineBack{255, 250, 170};
  QColor TextColor() const { return text_; }

  // Switches painting off while several edits make one visible change.
  void SetRedraw(bool on);

  // The control's own clipboard and deletion handling, without undo.
  virtual void Cut();
  virtual void Copy();
  virtual void Paste();
  virtual void Clear();
  void SelectAll();
  // The clipboard's text as it would be inserted, or nothing when it holds none.
  static std::optional<std::string> ClipboardText();

  // Cells from the start of `line` to `pos` (tabs expanded).
  int ColumnOf(std::size_t line, std::size_t pos) const;
  // The position in `line` whose cell column is nearest to `column`.
  std::size_t PosAtColumn(std::size_t line, qreal column) const;

 signals:
  void textChanged();
  void selectionChanged();
  void scrolled();

 protected:
  // The character message: one character as CP932 bytes (one or two), or a
  // control character (08 Backspace, 0D Enter, 09 Tab). The control's own
  // handling inserts it; derived views record it first.
  virtual void CharMessage(std::string_view ch);
  // Keys that are not characters (arrows, Delete, …). Answers whether handled.
  virtual bool KeyDownMessage(QKeyEvent* event);
  // The input method's result; the control's own handling delivers it as
  // character messages.
  virtual void ImeResult(std::string_view bytes);
  // Replaces `runs` by the classified runs of one visible line (its text
  // without the line break), in line offsets; none by default.
  virtual void LineRuns(std::size_t line, std::string_view bytes, std::vector<TextRun>& runs);
  // The colour a class of run is drawn in; the text colour by default. A
  // mark ("＿" over a character) is drawn in the colour of its class.
  virtual QColor ColorOf(LexClass cls) const;
  // Called after the visible lines have been painted.
  virtual void AfterPaint(int firstLine, int lastLine);
  // Tells the control that LineRuns would answer otherwise now (colouring
  // switched), though the text is the same.
  void ForgetRuns();

  // The text of this view's selection.
  std::string SelText() const;

  // Ends a composition where it is, its pre-edit becoming text (before a
  // click moves the caret).
  void CommitPreedit();

  // Moves the caret, extending the selection when asked.
  void MoveCaret(std::size_t pos, bool extend);

  void TextChanged(const EditBuffer::TextChange& change) override;
  void SelectionChanged(const EditBuffer::Selection& before, const EditBuffer::Selection& after) override;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;
  bool event(QEvent* event) override;

 private:
  EditBuffer& Buf() const { return doc_->Buffer(); }
  // The buffer with this view's selection in it, for an edit or a caret move.
  EditBuffer& Own() const {
    doc_->Activate(viewId_);
    return doc_->Buffer();
  }
  void Attach();
  void Detach();
  void UpdateMetrics();
  void UpdateScrollBars();
  void WidenTo(int pixels);
  void BlinkCaret();
  void RestartBlink();
  void AutoScroll();
  void SelectWordAt(std::size_t pos);
  std::size_t WordStart(std::size_t pos) const;
  std::size_t WordEnd(std::size_t pos) const;
  QRect CaretRect() const;
  // Where the pre-edit stands: at the caret, or in place of the selection's
  // part of the caret's line (a composition's result replaces the selection).
  std::size_t PreeditPos() const;
  // What the input method is told of the text around the caret: the
  // caret's line, or a stretch of it around the caret when it is long.
  struct Surrounding {
    std::size_t start = 0;
    std::size_t end = 0;
  };
  Surrounding SurroundingText() const;
  // Tells the input method where the caret is now (its candidate window
  // follows it) and the caret's line with the selection.
  void ReportCaret();
  // Cells of the pre-edit's first `units` UTF-16 units.
  int PreeditCells(int units) const;
  // Draws the pre-edit with its left edge at `left`.
  void PaintPreedit(QPainter& painter, qreal left, int y);
  void PaintLine(QPainter& painter, std::size_t line, int y, const QRect& clip);
  // Draws the part within `clip` of a piece (LineLayout) starting at `left`.
  void DrawVisibleText(QPainter& painter, std::string_view piece, qreal left, int y, const QRect& clip);
  // Where a part of a line starts: a character boundary and its cell.
  struct LinePart {
    std::size_t offset = 0;
    int cell = 0;
  };
  // Reads into `bytes` the part of `line` that holds cells [fromCell,
  // toCell): the whole line when it is short, else from the checkpoint
  // before `fromCell` on (LineCellIndex).
  LinePart ReadLinePart(std::size_t line, int fromCell, int toCell, std::string& bytes) const;
  // Sets runs_ to the runs of bytes [offset, offset + size) of `line`, in
  // the part's offsets. A long line is coloured as far as kColouredPrefix
  // and plain beyond: the lexer must start at the line's start.
  void PrefixRuns(std::size_t line, std::size_t offset, std::size_t size);
  static constexpr std::size_t kColouredPrefix = PerlLexer::kLexedPrefix;
  // The caret stops blinking (and shows) this long after the last input.
  static constexpr int kBlinkForMs = 10000;

  std::shared_ptr<TextDocument> doc_;
  TextDocument::ViewId viewId_ = -1;
  QFont font_;
  QColor back_ = Qt::white;
  QColor text_ = Qt::black;
  qreal cellWidth_ = 8;
  int lineHeight_ = 16;
  int ascent_ = 12;
  LineLayout layout_;
  std::vector<TextRun> runs_;    // of the line being painted
  std::vector<TextRun> pieces_;  // likewise
  int leftMargin_ = 1;
  int rightMargin_ = 1;
  int widest_ = 0;          // widest line seen so far, in pixels
  qreal goalColumn_ = -1;   // column kept by vertical moves
  bool caretOn_ = true;
  bool selecting_ = false;  // a mouse selection is in progress
  bool redraw_ = true;
  QString preedit_;         // input-method composition shown at the caret
  int preeditCursor_ = 0;
  struct PreeditFormat {
    int start = 0;
    int length = 0;
    QTextCharFormat format;
  };
  std::vector<PreeditFormat> preeditFormats_;  // the input method's segments, in UTF-16 units
  QTimer blink_;
  QElapsedTimer m_sinceInput;             // restarted by input: the blink stops after kBlinkForMs
  mutable LineCellIndex m_cells;          // checkpoints of the long lines in sight
  std::string m_partBytes;                // of the line being painted
  std::size_t m_prefixLine = EditBuffer::npos;  // the long line m_prefixRuns are of
  std::vector<TextRun> m_prefixRuns;      // of its coloured prefix
  QTimer autoScroll_;
  QPoint lastMouse_;
};

}  // namespace corvella
