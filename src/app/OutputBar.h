// The output pane: a docked bar holding the read-only text a hidden script run prints, and under it the line for typed input.
#pragma once

#include <string>
#include <string_view>

#include "base/CommandRouter.h"
#include "controls/SizingControlBarG.h"
#include "run/PerlMessageCollector.h"

namespace corvella {

class EditControl;
class RunInputLine;

// While its text has the focus the pane answers the edit commands itself:
// copying and selecting work, changing commands are greyed.
class COutputBar : public CSizingControlBarG, public CommandTarget {
  Q_OBJECT

 public:
  static constexpr std::size_t kTextLimit = 0x3FFFFFFE;

  explicit COutputBar(QMainWindow* frame);

  EditControl& Edit() const { return *m_wndEdit; }
  // Hidden unless a run takes typed input.
  RunInputLine& InputLine() const { return *m_inputLine; }

  // The editor font, with both margins 1 pixel again.
  void SetFont(const QFont& font);

  // What the runner does to the text (Shift_JIS, CR LF): replace it all, or
  // add to its end. Both leave the caret at the end and bring it into view;
  // appending touches only the new lines.
  void SetOutputText(std::string_view bytes);
  void AppendOutput(std::string_view bytes);
  void CaretToEnd();
  // Perl's messages in the text, gathered as it came in, while the text
  // reads as it was added (the second is false once anything else changed it).
  std::vector<PerlMessage> Messages() const { return m_messages.Messages(); }
  bool MessagesFollowText() const { return m_messagesFollow; }

 signals:
  // A double-click or Enter on a line of the text: its bytes (Shift_JIS).
  void lineActivated(const std::string& line);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ActivateCaretLine();

  EditControl* m_wndEdit;
  RunInputLine* m_inputLine;
  PerlMessageCollector m_messages;
  bool m_messagesFollow = true;
  bool m_writing = false;  // the text changes through SetOutputText or AppendOutput
};

}  // namespace corvella
