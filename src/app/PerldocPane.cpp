// The Perl documentation pane beside the output pane: what perldoc says of the word at the caret or of what is typed in its search line.
#include "app/PerldocPane.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/MainFrame.h"
#include "app/OutputBar.h"
#include "base/CommandRouter.h"
#include "document/EditBuffer.h"
#include "document/PerlWordAt.h"
#include "editor/Cp932Text.h"
#include "editor/MyView.h"
#include "res/PerldocStrings.h"
#include "res/resource.h"
#include "run/PerldocRun.h"

namespace corvella {
namespace {

constexpr const char* kLinkScheme = "perldoc";
constexpr const char* kSectionAnchor = "corvella-section";

// Page and module names in the text become links followed inside the pane.
const QRegularExpression& PageNames() {
  static const QRegularExpression names(
      QStringLiteral(R"(\b(perl[a-z0-9]+|[A-Z][A-Za-z0-9_]*(?:::[A-Za-z0-9_]+)+)\b)"));
  return names;
}

// The page's own name is left plain.
QString Linked(const QString& escapedLine, const QString& page) {
  QString out;
  qsizetype from = 0;
  for (auto it = PageNames().globalMatch(escapedLine); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += escapedLine.mid(from, m.capturedStart() - from);
    out += m.captured() == page ? m.captured()
                                : QStringLiteral("<a href=\"%1:%2\">%2</a>").arg(QLatin1String(kLinkScheme), m.captured());
    from = m.capturedEnd();
  }
  return out + escapedLine.mid(from);
}

}  // namespace

PerldocPane::PerldocPane(CMainFrame& frame)
    : QDockWidget(QString::fromUtf8(str::kPerldocPaneTitle), &frame), m_frame(frame) {
  setObjectName(QStringLiteral("PerldocPane"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QString::fromUtf8(str::kPerldocSearchLabel), body));
  m_search = new QLineEdit(body);
  m_search->setObjectName(QStringLiteral("perldocSearch"));
  m_search->setPlaceholderText(QString::fromUtf8(str::kPerldocSearchPlaceholder));
  row->addWidget(m_search, 1);
  layout->addLayout(row);
  m_browser = new QTextBrowser(body);
  m_browser->setObjectName(QStringLiteral("perldocText"));
  m_browser->setOpenLinks(false);
  m_browser->setLineWrapMode(QTextEdit::NoWrap);
  layout->addWidget(m_browser, 1);
  setWidget(body);

  connect(m_search, &QLineEdit::returnPressed, this, [this] { LookUp(m_search->text()); });
  connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.scheme() != QLatin1String(kLinkScheme)) return;
    m_search->setText(url.path());
    LookUp(url.path());
  });

  frame.addDockWidget(Qt::BottomDockWidgetArea, this);
  if (COutputBar* output = frame.OutputBar()) frame.splitDockWidget(output, this, Qt::Horizontal);
  hide();
}

PerldocPane::~PerldocPane() = default;

void PerldocPane::RegisterCommands(CommandMap& commands) {
  commands.On(res::ID_HELP_PERLDOC, [this] { LookUpCaretWord(); });
  commands.On(res::ID_VIEW_PERLDOC_PANE, [this] { isVisible() ? hide() : ShowPane(); },
              [this](CmdUI& ui) { ui.checked = isVisible(); });
}

void PerldocPane::ShowPane() {
  show();
  raise();
  if (m_placed) return;
  m_placed = true;
  // Most of the width, since perldoc writes 76 columns and the output pane
  // is mostly idle while one reads; once the pane is laid out, or the docks
  // keep their old split.
  QTimer::singleShot(0, this, [this] {
    COutputBar* output = m_frame.OutputBar();
    if (!output || !output->isVisible()) return;
    const int width = m_frame.width();
    m_frame.resizeDocks({output, this}, {width * 2 / 5, width * 3 / 5}, Qt::Horizontal);
  });
}

void PerldocPane::LookUpCaretWord() {
  // F1 in the pane itself means what is typed there.
  if (isAncestorOf(QApplication::focusWidget())) {
    LookUp(m_search->text());
    return;
  }
  std::string word;
  if (CMyView* view = m_frame.ActiveView()) {
    const EditBuffer& buffer = view->Buffer();
    const std::size_t caret = view->Sel().caret;
    const std::size_t line = buffer.LineFromChar(caret);
    word = PerlWordAt(buffer.GetLine(line), caret - buffer.LineIndex(line));
  }
  if (word.empty()) {
    ShowPane();
    ShowMessage(QString::fromUtf8(str::kPerldocNoWord));
    m_search->setFocus();
    return;
  }
  const QString query = SjisToQString(word);
  m_search->setText(query);
  LookUp(query);
}

void PerldocPane::LookUp(const QString& query) {
  ShowPane();
  m_run.reset();
  const QString word = query.trimmed();
  if (word.isEmpty()) return;
  const QString program = PerldocRun::FindPerldoc(QFile::decodeName(QByteArray::fromStdString(m_frame.GetSettings().m_szPerlDir)));
  if (program.isEmpty()) {
    ShowMessage(QString::fromUtf8(str::kPerldocMissing));
    return;
  }
  ShowMessage(QString::fromUtf8(str::kPerldocSearching).arg(word));
  m_run = std::make_unique<PerldocRun>(program, PerldocCallsFor(word.toStdString()));
  connect(m_run.get(), &PerldocRun::found, this,
          [this, word](const QString& text, const QString& section) { ShowPage(text, section, word); });
  connect(m_run.get(), &PerldocRun::notFound, this,
          [this, word] { ShowMessage(QString::fromUtf8(str::kPerldocNotFound).arg(word)); });
  connect(m_run.get(), &PerldocRun::failed, this,
          [this, word] { ShowMessage(QString::fromUtf8(str::kPerldocFailed).arg(word)); });
}

void PerldocPane::ShowMessage(const QString& text) {
  m_browser->setFont(QApplication::font());
  m_browser->setPlainText(text);
}

void PerldocPane::ShowPage(const QString& text, const QString& section, const QString& page) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  const std::size_t heading = section.isEmpty() ? std::string::npos
                                                : FindHeadingLine(text.toStdString(), section.toStdString());
  const QFont& font = m_frame.EditorFont();
  QString html = QStringLiteral("<pre style=\"font-family:'%1'; font-size:%2pt;\">")
                     .arg(font.family().toHtmlEscaped())
                     .arg(font.pointSizeF() > 0 ? font.pointSizeF() : 10);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (static_cast<std::size_t>(i) == heading) html += QStringLiteral("<a name=\"%1\"></a>").arg(QLatin1String(kSectionAnchor));
    html += Linked(lines[i].toHtmlEscaped(), page) + QLatin1Char('\n');
  }
  html += QStringLiteral("</pre>");
  m_browser->setFont(font);
  m_browser->setHtml(html);
  if (heading != std::string::npos) {
    m_browser->scrollToAnchor(QLatin1String(kSectionAnchor));
  } else {
    m_browser->moveCursor(QTextCursor::Start);
  }
}

}  // namespace corvella
