// The debug panes beside the output pane: the current frame's variables, the watched expressions, the call stack, and a line that evaluates an expression at the stop.
#include "app/DebugPanes.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/Cp932Text.h"
#include "res/DebuggerStrings.h"
#include "run/RunOutputDecoder.h"

namespace corvella {
namespace {

// Levels past this start folded: a long structure stays one line until asked.
constexpr int kUnfoldedLevels = 1;

QTreeWidget* NewTree(QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  return tree;
}

}  // namespace

QString DebuggerText(std::string_view bytes) {
  RunOutputDecoder decoder;
  std::string sjis = decoder.Feed(bytes);
  sjis += decoder.Finish();
  return SjisToQString(sjis).remove(QLatin1Char('\r'));
}

DebugPanes::DebugPanes(QWidget* parent) : QDockWidget(QString::fromUtf8(str::kDebugPaneTitle), parent) {
  setObjectName(QStringLiteral("DebugPanes"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  m_tabs = new QTabWidget(body);
  m_variables = NewTree(m_tabs);
  m_variables->setObjectName(QStringLiteral("variables"));
  m_tabs->addTab(m_variables, QString::fromUtf8(str::kDebugVariablesTab));

  auto* watchPage = new QWidget(m_tabs);
  auto* watchLayout = new QVBoxLayout(watchPage);
  watchLayout->setContentsMargins(0, 0, 0, 0);
  m_watchTree = NewTree(watchPage);
  m_watchTree->setObjectName(QStringLiteral("watches"));
  auto* watchRow = new QHBoxLayout;
  m_watchLine = new QLineEdit(watchPage);
  m_watchLine->setObjectName(QStringLiteral("watchLine"));
  m_watchLine->setPlaceholderText(QString::fromUtf8(str::kDebugWatchPlaceholder));
  auto* add = new QPushButton(QString::fromUtf8(str::kDebugWatchAdd), watchPage);
  auto* remove = new QPushButton(QString::fromUtf8(str::kDebugWatchRemove), watchPage);
  watchRow->addWidget(m_watchLine, 1);
  watchRow->addWidget(add);
  watchRow->addWidget(remove);
  watchLayout->addWidget(m_watchTree, 1);
  watchLayout->addLayout(watchRow);
  m_tabs->addTab(watchPage, QString::fromUtf8(str::kDebugWatchesTab));

  m_stack = NewTree(m_tabs);
  m_stack->setObjectName(QStringLiteral("stack"));
  m_stack->setRootIsDecorated(false);
  m_stack->setColumnCount(2);
  // The place stays whole; a long call with its arguments is cut.
  m_stack->header()->setStretchLastSection(false);
  m_stack->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  m_stack->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  m_tabs->addTab(m_stack, QString::fromUtf8(str::kDebugStackTab));
  layout->addWidget(m_tabs, 1);

  auto* expressionRow = new QHBoxLayout;
  expressionRow->addWidget(new QLabel(QString::fromUtf8(str::kDebugExpressionLabel), body));
  m_expression = new QLineEdit(body);
  m_expression->setObjectName(QStringLiteral("expression"));
  m_expression->setPlaceholderText(QString::fromUtf8(str::kDebugExpressionPlaceholder));
  expressionRow->addWidget(m_expression, 1);
  layout->addLayout(expressionRow);
  setWidget(body);

  connect(add, &QPushButton::clicked, this, &DebugPanes::AddWatch);
  connect(m_watchLine, &QLineEdit::returnPressed, this, &DebugPanes::AddWatch);
  connect(remove, &QPushButton::clicked, this, &DebugPanes::RemoveWatch);
  connect(m_expression, &QLineEdit::returnPressed, this, [this] {
    const QString text = m_expression->text().trimmed();
    if (text.isEmpty()) return;
    m_expression->clear();
    emit expressionEntered(text);
  });
  connect(m_stack, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    emit frameActivated(item->data(0, Qt::UserRole).toString(), item->data(1, Qt::UserRole).toLongLong());
  });
  SetStopped(false);
}

void DebugPanes::FillTree(QTreeWidget* tree, const std::vector<DumpRow>& rows, QTreeWidgetItem* under) {
  // Each row hangs under the nearest row above it with a smaller depth.
  std::vector<std::pair<int, QTreeWidgetItem*>> open;
  for (const DumpRow& row : rows) {
    while (!open.empty() && open.back().first >= row.depth) open.pop_back();
    QTreeWidgetItem* parent = open.empty() ? under : open.back().second;
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, DebuggerText(row.text));
    item->setExpanded(row.depth < kUnfoldedLevels);
    open.emplace_back(row.depth, item);
  }
}

void DebugPanes::ShowVariables(const std::vector<DumpRow>& rows, bool noPadWalker) {
  m_variables->clear();
  if (noPadWalker) {
    auto* item = new QTreeWidgetItem(m_variables);
    item->setText(0, QString::fromUtf8(str::kDebugNoPadWalker));
    item->setToolTip(0, item->text(0));
    return;
  }
  FillTree(m_variables, rows, nullptr);
}

void DebugPanes::ShowWatches(const std::vector<std::vector<DumpRow>>& values) {
  m_watchTree->clear();
  for (int i = 0; i < m_watches.size(); ++i) {
    auto* item = new QTreeWidgetItem(m_watchTree);
    item->setText(0, m_watches[i]);
    if (static_cast<std::size_t>(i) < values.size()) FillTree(m_watchTree, values[static_cast<std::size_t>(i)], item);
    item->setExpanded(true);
  }
}

void DebugPanes::ShowStack(const std::vector<Frame>& frames) {
  m_stack->clear();
  for (const Frame& frame : frames) {
    auto* item = new QTreeWidgetItem(m_stack);
    item->setText(0, frame.call);
    item->setText(1, QStringLiteral("%1:%2").arg(frame.file).arg(frame.line));
    item->setData(0, Qt::UserRole, frame.file);
    item->setData(1, Qt::UserRole, static_cast<qlonglong>(frame.line));
  }
}

void DebugPanes::SetStopped(bool stopped) {
  m_expression->setEnabled(stopped);
  for (QTreeWidget* tree : {m_variables, m_watchTree, m_stack}) {
    // Values of a program that runs on are greyed, not gone.
    tree->setEnabled(stopped || tree == m_watchTree);
  }
}

void DebugPanes::AddWatch() {
  const QString text = m_watchLine->text().trimmed();
  if (text.isEmpty()) return;
  m_watchLine->clear();
  m_watches.append(text);
  auto* item = new QTreeWidgetItem(m_watchTree);
  item->setText(0, text);
  emit watchesChanged();
}

void DebugPanes::RemoveWatch() {
  QTreeWidgetItem* item = m_watchTree->currentItem();
  while (item && item->parent()) item = item->parent();
  if (!item) return;
  const int index = m_watchTree->indexOfTopLevelItem(item);
  if (index < 0 || index >= m_watches.size()) return;
  m_watches.removeAt(index);
  delete item;
  emit watchesChanged();
}

}  // namespace corvella
