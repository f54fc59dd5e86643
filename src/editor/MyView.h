// The view of one script document: the colouring edit view with its gutter, the Settings' font, colours and tab width, and the edit commands.
#pragma once

#include "app/CommandRouter.h"
#include "app/Settings.h"
#include "editor/SyntaxView.h"

namespace corvella {

class CLineNumberWnd;

class CMyView : public CSyntaxView, public CommandTarget {
  Q_OBJECT

 public:
  explicit CMyView(QWidget* parent = nullptr);

  // Font, colours, tab width, auto indent and colouring as the main frame holds them.
  void ApplySettings(const Settings& settings, const QFont& font);
  bool m_bAutoIndent = true;

 signals:
  void focusEntered(CMyView* view);

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void RegisterEditCommands();
  void FollowCaretLine();

  CLineNumberWnd* m_wndGutter = nullptr;
};

}  // namespace corvella
