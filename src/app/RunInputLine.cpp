// The input line under the output pane: what the user types for a running script's standard input, a line at a time, and the end of that input.
#include "app/RunInputLine.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "res/DebuggerStrings.h"

namespace corvella {
namespace {

bool IsCtrlD(const QEvent* event) {
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_D && key->modifiers() == Qt::ControlModifier;
}

}  // namespace

RunInputLine::RunInputLine(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("RunInputLine"));
  auto* label = new QLabel(QString::fromUtf8(str::kInputLineLabel), this);
  m_edit = new QLineEdit(this);
  m_edit->setObjectName(QStringLiteral("RunInputEdit"));
  label->setBuddy(m_edit);
  m_close = new QPushButton(QString::fromUtf8(str::kInputLineClose), this);
  m_close->setAutoDefault(false);
  // The button ends the input; the focus stays where the user types.
  m_close->setFocusPolicy(Qt::NoFocus);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 2, 0, 0);
  row->addWidget(label);
  row->addWidget(m_edit, 1);
  row->addWidget(m_close);
  m_edit->installEventFilter(this);
  connect(m_edit, &QLineEdit::returnPressed, this, [this] {
    const QString line = m_edit->text();
    m_edit->clear();
    emit lineEntered(line);
  });
  connect(m_close, &QPushButton::clicked, this, &RunInputLine::CloseInput);
  hide();
}

void RunInputLine::Begin() {
  m_edit->clear();
  setEnabled(true);
  show();
  m_edit->setFocus();
}

void RunInputLine::End() { hide(); }

// Ctrl+D is the line's own, as in a terminal, before any shortcut of the window.
bool RunInputLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edit && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      IsCtrlD(event)) {
    event->accept();
    if (event->type() == QEvent::KeyPress) CloseInput();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void RunInputLine::CloseInput() {
  if (!isEnabled()) return;
  setEnabled(false);
  emit inputClosed();
}

}  // namespace corvella
