// The output pane: a docked bar holding the read-only text a hidden script run prints, and under it the line for typed input.
#include "app/OutputBar.h"

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/RunInputLine.h"
#include "document/EditBuffer.h"
#include "document/TextDocument.h"
#include "editor/EditControl.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

// The pane's text only grows at its end: larger blocks are fewer to allocate.
constexpr std::size_t kBlockCapacity = 32768;

}  // namespace

COutputBar::COutputBar(QMainWindow* frame)
    : CSizingControlBarG(QString::fromUtf8(str::kOutputTitle), frame, res::IDS_OUTPUT_TITLE) {
  auto* body = new QWidget(this);
  m_wndEdit = new EditControl(body);
  m_wndEdit->setObjectName(QStringLiteral("OutputEdit"));
  m_wndEdit->SetDocument(std::make_shared<TextDocument>(kBlockCapacity));
  m_wndEdit->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  m_wndEdit->Buffer().SetLimitText(kTextLimit);
  m_wndEdit->SetReadOnly(true);
  // A read-only text shows on the dialog colour, as the system draws it.
  m_wndEdit->SetTextColors(QApplication::palette().color(QPalette::Window),
                           QApplication::palette().color(QPalette::WindowText));
  SetFont(QApplication::font());
  m_inputLine = new RunInputLine(body);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(m_wndEdit, 1);
  column->addWidget(m_inputLine);
  setWidget(body);
  // The bar never keeps the focus: it goes on into the text.
  body->setFocusProxy(m_wndEdit);
  setFocusProxy(m_wndEdit);
  m_wndEdit->installEventFilter(this);
  connect(m_wndEdit, &EditControl::textChanged, this, [this] {
    if (!m_writing) m_messagesFollow = false;
  });
  m_wndEdit->viewport()->installEventFilter(this);

  using namespace res;
  m_commands.On(ID_EDIT_COPY, [this] { m_wndEdit->Copy(); },
                [this](CmdUI& ui) { ui.enabled = m_wndEdit->HasSelection(); });
  m_commands.On(ID_EDIT_SELECT_ALL, [this] { m_wndEdit->SelectAll(); });
  for (const int id : {ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_UNDO, ID_EDIT_REDO}) {
    m_commands.On(id, [] {}, [](CmdUI& ui) { ui.enabled = false; });
  }
}

// The text's own handling comes first (a double-click still selects the
// word); the line is reported once it is done.
bool COutputBar::eventFilter(QObject* watched, QEvent* event) {
  const bool doubleClick = watched == m_wndEdit->viewport() && event->type() == QEvent::MouseButtonDblClick;
  const bool enter = watched == m_wndEdit && event->type() == QEvent::KeyPress &&
                     (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
  if (doubleClick || enter) QTimer::singleShot(0, this, &COutputBar::ActivateCaretLine);
  return CSizingControlBarG::eventFilter(watched, event);
}

void COutputBar::ActivateCaretLine() {
  const EditBuffer& buffer = m_wndEdit->Buffer();
  const std::size_t line = buffer.LineFromChar(buffer.GetSel().caret);
  emit lineActivated(buffer.GetLine(line));
}

void COutputBar::SetFont(const QFont& font) {
  m_wndEdit->SetEditorFont(font);
  m_wndEdit->SetMargins(1, 1);
}

// The messages are gathered from the bytes while they are at hand, so that
// the end of a run need not read a long output again.
void COutputBar::SetOutputText(std::string_view bytes) {
  m_writing = true;
  m_wndEdit->SetText(bytes);
  m_writing = false;
  m_messages = PerlMessageCollector();
  m_messages.Feed(bytes);
  m_messagesFollow = true;
  CaretToEnd();
}

void COutputBar::AppendOutput(std::string_view bytes) {
  EditBuffer& buffer = m_wndEdit->Buffer();
  const std::size_t end = buffer.GetTextLength();
  buffer.SetSel(end, end);
  // Read-only keeps the user from typing; the runner still writes.
  buffer.SetReadOnly(false);
  m_writing = true;
  m_wndEdit->ReplaceSel(bytes);
  m_writing = false;
  buffer.SetReadOnly(true);
  if (buffer.GetTextLength() == end + bytes.size()) m_messages.Feed(bytes);
  else m_messagesFollow = false;
  CaretToEnd();
}

void COutputBar::CaretToEnd() {
  const std::size_t end = m_wndEdit->Buffer().GetTextLength();
  m_wndEdit->SetSel(end, end);
  m_wndEdit->ScrollCaret();
}

}  // namespace corvella
