// The view of one script document: the colouring edit view with its gutter, the Settings' font, colours and tab width, and the edit commands.
#pragma once

#include <functional>
#include <string>

#include "base/CommandRouter.h"
#include "base/Settings.h"
#include "editor/SyntaxView.h"

namespace corvella {

class CLineNumberWnd;

class CMyView : public CSyntaxView, public CommandTarget {
  Q_OBJECT

 public:
  explicit CMyView(QWidget* parent = nullptr);

  // Font, colours, tab width, auto indent and colouring as the main frame holds them.
  void ApplySettings(const Settings& settings, const QFont& font);
  bool AutoIndent() const { return m_bAutoIndent; }
  void SetAutoIndent(bool on) { m_bAutoIndent = on; }

  // Shows the context menu at a screen point; the frame owns the menu.
  void SetContextMenuHandler(std::function<void(const QPoint& globalPos)> show) {
    m_showContextMenu = std::move(show);
  }
  // The document's full path, or its title when it has none: the printed header.
  void SetPrintHeader(std::function<QString()> header) { m_printHeader = std::move(header); }
  // Input hints: the frame's hint lookup and its status-bar display (Shift_JIS bytes).
  // Breakpoints: the document's toggle (a zero-based line) and clear, used
  // by a click in the gutter's mark strip and by the two commands. Without
  // them the view changes the text's breakpoints itself.
  void SetBreakpointHandlers(std::function<void(int line)> toggle, std::function<void()> clear) {
    m_toggleBreakpoint = std::move(toggle);
    m_clearBreakpoints = std::move(clear);
  }
  // Repaints the gutter's marks and the execution line's background after
  // the document's breakpoints, execution line or error marks changed.
  void RepaintMarks();
  void SetHintHandlers(std::function<std::string(const std::string& word)> find,
                       std::function<void(const std::string& hint)> show) {
    m_findHint = std::move(find);
    m_showHint = std::move(show);
  }

 signals:
  void focusEntered(CMyView* view);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // The beep, then the message naming the search text.
  void OnTextNotFound(const std::string& what) override;
  void CharMessage(std::string_view ch) override;
  bool KeyDownMessage(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void RegisterEditCommands();
  void FollowCaretLine();
  // The mark strip one row wide, the margin after the whole gutter.
  void LayOutGutter();
  void ToggleBreakpoint(int line);
  void ClearBreakpoints();
  void RegisterScriptCommands();
  void OnGotoLine();
  void OnDeleteToEndOfLine();
  void ShowHintForWordBeforeCaret();
  void ShowErrorMessage();
  // F4 and Shift+F4: the caret to the start of the next or previous line
  // with an error mark, round the end of the text.
  void GoToErrorMark(bool forward);

  CLineNumberWnd* m_wndGutter = nullptr;
  bool m_bAutoIndent = true;
  // The last character typed; 0 after an arrow key or a click.
  int m_chPrev = 0;
  bool m_bShowingError = false;  // the status bar shows the caret line's error message
  std::function<void(const QPoint& globalPos)> m_showContextMenu;
  std::function<QString()> m_printHeader;
  std::function<void(int line)> m_toggleBreakpoint;
  std::function<void()> m_clearBreakpoints;
  std::function<std::string(const std::string& word)> m_findHint;
  std::function<void(const std::string& hint)> m_showHint;
};

}  // namespace corvella
