// The main window: document area, menus, toolbar, status bar, the in-memory Settings, editor font and colours, and the frame's own commands.
#include "app/MainFrame.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QDragEnterEvent>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QMimeData>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "app/ChildFrame.h"
#include "app/DocumentHost.h"
#include "editor/Cp932Text.h"
#include "editor/EditControl.h"
#include "controls/ColorFontDlg.h"
#include "controls/DocTabCtrl.h"
#include "controls/EditorDialogs.h"
#include "controls/MdiTabClient.h"
#include "app/CommandUi.h"
#include "app/DockLayout.h"
#include "app/OutputBar.h"
#include "app/RunInputLine.h"
#include "app/StatusHintTip.h"
#include "app/SubListCombo.h"
#include "app/TemplateMenus.h"
#include "system/SettingsDlg.h"
#include "system/SystemCommands.h"
#include "app/WindowArrangement.h"
#include "document/EditBuffer.h"
#include "run/PerlErrorLine.h"
#include "base/EditorFont.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "base/MessageBox.h"
#include "base/Profile.h"
#include "editor/MyView.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace corvella {
namespace {

// The program's icon: a sheet of script with a blue band and a red "$".
QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 128}) icon.addFile(QStringLiteral(":/corvella/icons/corvella-%1.png").arg(size));
  return icon;
}

// The shipped hint file is some 20 KB.
constexpr std::uint64_t kMaxHintFileSize = 4 << 20;

// The name the docking layout and the output pane's sizes are saved under.
constexpr std::string_view kBarStateName = "Bars2005";

}  // namespace

CMainFrame::CMainFrame(Profile& profile, CommandTarget* app, QWidget* parent)
    : QMainWindow(parent), m_profile(profile), m_app(app) {
  m_router = std::make_unique<CommandRouter>([this] { return CommandChain(); }, this);
  m_editorDialogs = std::make_unique<EditorDialogs>();
  setAcceptDrops(true);
  setWindowIcon(ProgramIcon());
  setWindowTitle(QString::fromUtf8(str::kAppTitle));
}

// The document windows go while the frame is still whole: their signals
// reach back into it as they close.
CMainFrame::~CMainFrame() { delete m_mdiArea; }

bool CMainFrame::Create() {
  m_mdiArea = new QMdiArea(this);
  m_mdiArea->setViewMode(QMdiArea::SubWindowView);
  m_mdiArea->setActivationOrder(QMdiArea::CreationOrder);
  setCentralWidget(m_mdiArea);
  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
    ScheduleTitleUpdate();
    emit activeDocumentChanged();
  });

  const ActionLookup lookup = [this](int id) { return m_router->Action(id); };
  m_toolBar = addToolBar(QString());
  m_toolBar->setObjectName(QStringLiteral("Bar%1").arg(res::AFX_IDW_TOOLBAR));
  m_toolBar->setMovable(true);
  m_toolBar->setIconSize(QSize(16, 15));
  BuildToolBar(m_toolBar, lookup);
  m_toolBar->addSeparator();
  m_subList = new CSubListCombo(m_toolBar);
  m_toolBar->addWidget(m_subList);
  // Queued: the document area also changes its active window while it is destroyed.
  connect(this, &CMainFrame::activeDocumentChanged, m_subList, [this] { m_subList->Follow(ActiveView()); },
          Qt::QueuedConnection);
  CreateStatusBar();
  m_wndOutput = new COutputBar(this);
  addDockWidget(Qt::BottomDockWidgetArea, m_wndOutput);
  ScriptRunner::Pane pane;
  pane.show = [this] { m_wndOutput->setVisible(true); };
  pane.set = [this](std::string_view text) { m_wndOutput->SetOutputText(text); };
  pane.append = [this](std::string_view text) { m_wndOutput->AppendOutput(text); };
  pane.text = [this] { return m_wndOutput->Edit().Buffer().GetText(); };
  pane.limit = COutputBar::kTextLimit;
  m_runner = std::make_unique<ScriptRunner>(m_settings, m_profile, std::move(pane), this);
  m_runner->SetSaveAllModified([this] { return !m_documents || m_documents->SaveAllModified(); });
  connect(m_wndOutput, &COutputBar::lineActivated, this, &CMainFrame::JumpToError);
  ConnectInputLine();
  m_templateMenus = std::make_unique<TemplateMenus>(
      *m_router, *m_runner, [this] { return ActiveView(); },
      [this] { return ActiveChild() ? ActiveChild()->windowTitle() : QString(); }, this);
  m_tabClient = new CMdiTabClient(this);
  if (!m_tabClient->Attach(this, {.bottom = true, .hotTrack = true, .multiLine = true})) {
    return false;
  }

  LoadSettings(m_profile, ProgramFolder(), ResolvePerlFolder, m_settings);
  // Said once: the folder left empty is what the frame stores on closing.
  const QString storedPerl = QString::fromStdString(m_profile.GetProfileString(kSettingsSection, "Perl"));
  if (const QString problem = CSettingsDlg::PerlFolderProblem(storedPerl); !problem.isEmpty()) {
    ShowMessage(this, problem, MsgIcon::Exclamation);
  }
  LoadHints(GetProgramFilePath("hint.txt"));
  LoadEditorFont(m_profile, m_settings);
  m_font = m_settings.font ? FontFromLogFont(*m_settings.font) : DefaultEditorFont();
  m_wndOutput->SetFont(m_font);
  LoadColors(m_profile, m_settings);
  LoadBarState();
  m_wndOutput->setVisible(m_settings.InsideMode);

  ShowMenuFor(false);
  InstallAccelerators(this, lookup);
  RegisterCommands();
  connect(m_router.get(), &CommandRouter::idleUpdated, this, &CMainFrame::UpdatePanes);
  connect(m_router.get(), &CommandRouter::idleUpdated, m_subList, [this] { m_subList->Follow(ActiveView()); });
  // The caret or the text of the active view may also change without input
  // (a jump to a line, a search, a reload), and the panes follow.
  connect(m_router.get(), &CommandRouter::idleUpdated, this, [this] {
    if (CMyView* view = ActiveView()) {
      connect(view, &EditControl::selectionChanged, m_router.get(), &CommandRouter::UpdateSoon, Qt::UniqueConnection);
      connect(view, &EditControl::textChanged, m_router.get(), &CommandRouter::UpdateSoon, Qt::UniqueConnection);
    }
  });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &CMainFrame::FollowFocusWindow);
  m_router->StartIdleUpdates();
  resize(900, 650);
  emit created();
  return true;
}

bool CMainFrame::BarExists(int id) const {
  const QString name = QStringLiteral("Bar%1").arg(id);
  return findChild<QToolBar*>(name, Qt::FindDirectChildrenOnly) ||
         findChild<QDockWidget*>(name, Qt::FindDirectChildrenOnly);
}

// A saved layout that names a bar this frame does not have is passed over as a
// whole, so that a changed set of bars never spoils the start.
void CMainFrame::LoadBarState() {
  if (!IsBarStateValid(m_profile, kBarStateName, [this](int id) { return BarExists(id); })) return;
  m_wndOutput->LoadSizes(m_profile, kBarStateName);
  if (const auto layout = LoadDockLayout(m_profile, kBarStateName)) {
    restoreState(QByteArray::fromBase64(QByteArray::fromStdString(layout->state)));
  }
}

void CMainFrame::SaveBarState() {
  m_wndOutput->SaveSizes(m_profile, kBarStateName);
  const QByteArray state = saveState().toBase64();
  SaveDockLayout(m_profile, kBarStateName,
                 {{res::AFX_IDW_TOOLBAR, m_wndOutput->Id()}, state.toStdString()});
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  // The message pane says "レディ" whenever no prompt is shown.
  connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
    if (message.isEmpty()) bar->showMessage(QString::fromUtf8(str::kIdleMessage));
  });
  bar->showMessage(QString::fromUtf8(str::kIdleMessage));
  new StatusHintTip(bar);
  int i = 0;
  for (const StatusPane& pane : StatusPanes()) {
    if (pane.id == res::ID_SEPARATOR || i >= 7) continue;
    auto* label = new QLabel(QString::fromUtf8(pane.text.data(), static_cast<qsizetype>(pane.text.size())), bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(label->sizeHint().width() + 6);
    // The lock keys' state is not something every platform reports.
    if (pane.id == res::ID_INDICATOR_CAPS || pane.id == res::ID_INDICATOR_NUM ||
        pane.id == res::ID_INDICATOR_SCRL || pane.id == res::ID_INDICATOR_KANA) {
      label->setEnabled(false);
    }
    bar->addPermanentWidget(label);
    label->installEventFilter(this);
    m_paneIds[i] = pane.id;
    m_paneInitialTexts[i] = label->text();
    m_panes[i++] = label;
  }
}

// The line, encoding and newline panes take what the active view and its
// document say; with nobody to fill them (no document open) they show their
// first texts again.
void CMainFrame::UpdatePanes() {
  for (int i = 0; i < 7; ++i) {
    if (!m_panes[i] || m_panes[i]->isEnabled() == false) continue;
    const CmdUI ui = m_router->Query(m_paneIds[i]);
    const QString& text = ui.text ? *ui.text : m_paneInitialTexts[i];
    if (m_panes[i]->text() != text) m_panes[i]->setText(text);
  }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick && m_documents) {
    for (int i = 0; i < 7; ++i) {
      if (m_panes[i] != watched) continue;
      m_documents->PaneDoubleClicked(m_paneIds[i], m_panes[i]);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

QString CMainFrame::PaneText(int id) const {
  for (int i = 0; i < 7; ++i) {
    if (m_paneIds[i] == id && m_panes[i]) return m_panes[i]->text();
  }
  return {};
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos) {
  if (!m_contextMenu) m_contextMenu = BuildContextMenu(this, [this](int id) { return m_router->Action(id); });
  m_router->UpdateActions();
  m_contextMenu->popup(globalPos);
}

void CMainFrame::ShowMenuFor(bool documentsOpen) {
  const int menu = documentsOpen ? res::IDR_PLUMOTYPE : res::IDR_MAINFRAME;
  if (menu == m_menuShown) return;
  m_menuShown = menu;
  const QList<QMenu*> popups = BuildMenuBar(menuBar(), menu, [this](int id) { return m_router->Action(id); });
  for (QMenu* popup : popups) {
    connect(popup, &QMenu::aboutToShow, this, [this, popup, popups] {
      // The template and macro folders are read anew whenever a menu opens.
      m_templateMenus->Rebuild(popups);
      FillRecentFiles(popup);
      FillWindowList(popup);
      m_router->UpdateMenu(popup);
    });
  }
}

// The first recent-file item stands for the whole list: the others follow it
// while the list has entries.
void CMainFrame::FillRecentFiles(QMenu* popup) {
  QAction* first = m_router->Action(res::ID_FILE_MRU_FILE1);
  if (!popup->actions().contains(first)) return;
  for (int i = 1; i < res::ID_FILE_MRU_COUNT; ++i) popup->removeAction(m_router->Action(res::ID_FILE_MRU_FILE1 + i));
  const int count = m_documents ? std::min(m_documents->RecentFileCount(), res::ID_FILE_MRU_COUNT) : 0;
  const QList<QAction*> actions = popup->actions();
  const qsizetype at = actions.indexOf(first);
  QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
  for (int i = 1; i < count; ++i) popup->insertAction(before, m_router->Action(res::ID_FILE_MRU_FILE1 + i));
}

// The Window menu ends with the open document windows, the active one checked.
void CMainFrame::FillWindowList(QMenu* popup) {
  if (!popup->actions().contains(m_router->Action(res::ID_WINDOW_CASCADE))) return;
  // Items of a menu bar built anew (after Close All, say) went with their
  // old popup; the pointers say so.
  for (const QPointer<QAction>& item : std::as_const(m_windowItems)) {
    if (!item) continue;
    popup->removeAction(item);
    item->deleteLater();
  }
  m_windowItems.clear();
  const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  m_windowItems << popup->addSeparator();
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    QString title = window->windowTitle();
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = popup->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
    item->setCheckable(true);
    item->setChecked(window == m_mdiArea->activeSubWindow());
    connect(item, &QAction::triggered, this, [window = QPointer<QMdiSubWindow>(window)] {
      if (auto* child = qobject_cast<CChildFrame*>(window.data())) child->ActivateFrame();
    });
    m_windowItems << item;
  }
}

// Files dropped anywhere on the window are opened. The main window's own
// event handling keeps drops for its dock areas, so they are taken first.
bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->mimeData()->hasUrls()) {
      if (event->type() == QEvent::Drop && m_documents) {
        for (const QUrl& url : drop->mimeData()->urls()) {
          if (url.isLocalFile()) m_documents->OpenFile(url.toLocalFile());
        }
      }
      drop->acceptProposedAction();
      return true;
    }
  }
  return QMainWindow::event(event);
}

// A window manager gives the activation back to the window below a dialog
// that closes; without one (a bare X server, some kiosk sessions) nobody
// does, and Qt drops the focus window silently: typed text still arrives, but
// no shortcut fires. So when the window holding the focus is hidden or
// destroyed, the program hands the activation on itself: to the modal dialog
// still open, or to the main window. A user switching to another program
// takes the focus away first, and nothing happens.
void CMainFrame::FollowFocusWindow(QWindow* now) {
  if (m_focusWindow) disconnect(m_focusWindow, nullptr, this, nullptr);
  m_focusWindow = now;
  if (!now) return;
  const auto handOn = [this] {
    QTimer::singleShot(0, this, [this] {
      if (QApplication::activeWindow() || !isVisible()) return;
      QWidget* next = QApplication::activeModalWidget();
      (next ? next : this)->activateWindow();
    });
  };
  connect(now, &QWindow::visibleChanged, this, [handOn](bool visible) {
    if (!visible) handOn();
  });
  connect(now, &QObject::destroyed, this, handOn);
}

// While the output pane has the focus it answers the commands of its own
// text first (copy, select all), so they never reach a document's text.
std::vector<CommandTarget*> CMainFrame::CommandChain() {
  QWidget* focus = QApplication::focusWidget();
  CommandTarget* pane = m_wndOutput && focus == &m_wndOutput->Edit() ? m_wndOutput : nullptr;
  CommandTarget* view = nullptr;
  if (auto* focused = qobject_cast<CMyView*>(focus)) view = focused;
  else view = ActiveView();
  return {pane, view, m_documents ? m_documents->ActiveDocumentTarget() : nullptr, ActiveChild(), this, m_app};
}

CChildFrame* CMainFrame::ActiveChild() const {
  return m_mdiArea ? qobject_cast<CChildFrame*>(m_mdiArea->activeSubWindow()) : nullptr;
}

CMyView* CMainFrame::ActiveView() const {
  CChildFrame* child = ActiveChild();
  return child ? child->ActiveView() : nullptr;
}

CChildFrame* CMainFrame::AddDocumentWindow(CMyView* view, const QString& title) {
  auto* child = new CChildFrame;
  child->setWindowIcon(windowIcon());
  child->setWindowTitle(title);
  m_mdiArea->addSubWindow(child);
  connect(child, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::ScheduleTitleUpdate);
  connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::ScheduleTitleUpdate);
  AddView(child, view);
  child->ActivateFrame();
  return child;
}

void CMainFrame::AddView(CChildFrame* child, CMyView* view) {
  child->AddView(view);
  view->ApplySettings(m_settings, m_font);
  view->SetDialogs(m_editorDialogs.get());
  connect(view, &CMyView::focusEntered, this, [this](CMyView* v) { m_pLastView = v; });
  view->SetHintHandlers([this](const std::string& word) { return FindHint(word); },
                        [this](const std::string& hint) { ShowHint(hint); });
  view->SetContextMenuHandler([this](const QPoint& at) { ShowContextMenu(at); });
  connect(view, &QObject::destroyed, this, [this, view] {
    if (m_pLastView == view) m_pLastView = nullptr;
  });
}

// Qt titles the main window "... - [document]" itself while a document window
// is maximised, and puts back what it saw before on restore; this runs after
// it, so that the title names the active document in every state.
void CMainFrame::ScheduleTitleUpdate() {
  QTimer::singleShot(0, this, [this] {
    QString title = QString::fromUtf8(str::kAppTitle);
    if (CChildFrame* child = ActiveChild()) {
      title += (child->isMaximized() ? QStringLiteral(" - [%1]") : QStringLiteral(" - %1")).arg(child->windowTitle());
    }
    if (windowTitle() != title) setWindowTitle(title);
  });
}

// A line of Perl's messages in the output pane leads to the place it names:
// the file (opened when it is not, a relative name taken from the folder the
// last run ran in) with that line selected.
void CMainFrame::JumpToError(const std::string& line) {
  const std::optional<PerlErrorLocation> at = ParsePerlErrorLine(line);
  if (!at || !m_documents) return;
  QString file = SjisToQString(at->file);
  if (QDir::isRelativePath(file)) {
    const std::string& script = m_runner->RunScript();
    const QDir folder = script.empty() ? QDir::current()
                                       : QFileInfo(QFile::decodeName(QByteArray::fromStdString(script))).dir();
    file = folder.absoluteFilePath(file);
  }
  if (!QFileInfo(file).isFile()) return;
  m_documents->OpenFile(file);
  CMyView* view = ActiveView();
  if (!view) return;
  const EditBuffer& buffer = view->Buffer();
  const std::size_t index = static_cast<std::size_t>(at->line - 1);
  if (index >= buffer.GetLineCount()) return;
  view->SetSel(buffer.LineIndex(index), buffer.LineEnd(index));
  view->ScrollCaret();
  view->setFocus();
}

void CMainFrame::LoadHints(const std::string& path) {
  m_hints.Clear();
  // A regular file of a sane size only: a FIFO or a device put in its place
  // would otherwise hold up the start for good.
  const FileReadResult read = ReadWholeFile(path, kMaxHintFileSize);
  if (read.status != FileReadResult::Status::Ok) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    ShowMessage(this, QString::fromUtf8(str::kHintFileUnreadable).arg(name), MsgIcon::Stop);
    return;
  }
  m_hints.Parse(read.bytes);
}

void CMainFrame::ShowHint(const std::string& hint) {
  // A CR kept from a CR LF hint file is not shown.
  std::string_view shown = hint;
  if (!shown.empty() && shown.back() == '\r') shown.remove_suffix(1);
  statusBar()->showMessage(shown.empty() ? QString::fromUtf8(str::kIdleMessage) : SjisToQString(shown));
}

void CMainFrame::UpdateAllViews(ViewUpdate hint) {
  for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(sub);
    if (!child) continue;
    for (CMyView* view : child->Views()) {
      switch (hint) {
        case ViewUpdate::Settings: view->ApplySettings(m_settings, m_font); break;
        case ViewUpdate::Colouring: view->SetStress(m_settings.Stress); break;
        case ViewUpdate::AutoIndent: view->SetAutoIndent(m_settings.AutoIndent); break;
      }
    }
  }
}

// Tiling takes the open windows (the topmost first) above the row of
// minimised ones; arranging icons lines the minimised ones up along the bottom.
void CMainFrame::ArrangeWindows(int command) {
  QList<QMdiSubWindow*> open, minimised;
  const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::StackingOrder);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if ((*it)->isHidden()) continue;
    ((*it)->isMinimized() ? minimised : open) << *it;
  }
  const QSize area = m_mdiArea->viewport()->size();
  std::vector<IconSize> iconSizes;
  for (QMdiSubWindow* w : minimised) iconSizes.push_back({w->width(), w->height()});
  const std::vector<WindowRect> icons = IconRowRects(area.width(), area.height(), iconSizes);
  for (qsizetype i = 0; i < minimised.size(); ++i) {
    const WindowRect& r = icons[static_cast<std::size_t>(i)];
    minimised[i]->move(r.x, r.y);
  }
  if (command == res::ID_WINDOW_ARRANGE) return;
  int top = area.height();
  for (const WindowRect& r : icons) top = std::min(top, r.y);
  const int count = static_cast<int>(open.size());
  const std::vector<WindowRect> rects = command == res::ID_WINDOW_TILE_HORZ ? StackedRects(area.width(), top, count)
                                                                              : ColumnRects(area.width(), top, count);
  for (int i = 0; i < count; ++i) {
    const WindowRect& r = rects[static_cast<std::size_t>(i)];
    if (open[i]->isMaximized()) open[i]->showNormal();
    open[i]->setGeometry(r.x, r.y, r.width, r.height);
  }
}

void CMainFrame::RegisterCommands() {
  using namespace res;
  m_runner->RegisterFrameCommands(m_commands);
  m_templateMenus->Register(m_commands);
  RegisterSystemCommands(m_commands, this, m_settings, [this] { UpdateAllViews(ViewUpdate::Settings); });
  m_commands.On(ID_VIEW_AUTO_INDENT, [this] {
    m_settings.AutoIndent = !m_settings.AutoIndent;
    UpdateAllViews(ViewUpdate::AutoIndent);
  }, [this](CmdUI& ui) { ui.checked = m_settings.AutoIndent; });
  m_commands.On(ID_VIEW_SYNTAX_COLOR, [this] {
    m_settings.Stress = !m_settings.Stress;
    UpdateAllViews(ViewUpdate::Colouring);
  }, [this](CmdUI& ui) { ui.checked = m_settings.Stress; });
  m_commands.On(ID_COMMAND_USE_JPERL, [this] { m_settings.UsePerl = m_settings.UsePerl == 0 ? 1 : 0; },
                [this](CmdUI& ui) { ui.checked = m_settings.UsePerl != 0; });
  m_commands.On(ID_WINDOW_CASCADE, [this] { m_mdiArea->cascadeSubWindows(); },
                [this](CmdUI& ui) { ui.enabled = !m_mdiArea->subWindowList().isEmpty(); });
  m_commands.On(ID_WINDOW_TILE_HORZ, [this] { ArrangeWindows(ID_WINDOW_TILE_HORZ); },
                [this](CmdUI& ui) { ui.enabled = !m_mdiArea->subWindowList().isEmpty(); });
  m_commands.On(ID_WINDOW_TILE_VERT, [this] { ArrangeWindows(ID_WINDOW_TILE_VERT); },
                [this](CmdUI& ui) { ui.enabled = !m_mdiArea->subWindowList().isEmpty(); });
  m_commands.On(ID_WINDOW_ARRANGE, [this] { ArrangeWindows(ID_WINDOW_ARRANGE); },
                [this](CmdUI& ui) { ui.enabled = !m_mdiArea->subWindowList().isEmpty(); });
  m_commands.On(ID_VIEW_TOOLBAR, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); },
                [this](CmdUI& ui) { ui.checked = m_toolBar->isVisible(); });
  m_commands.On(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
                [this](CmdUI& ui) { ui.checked = statusBar()->isVisible(); });
  m_commands.On(ID_COMMAND_INSIDE_MODE, [this] {
    m_settings.InsideMode = !m_settings.InsideMode;
    m_wndOutput->setVisible(m_settings.InsideMode);
  }, [this](CmdUI& ui) { ui.checked = m_settings.InsideMode; });
  m_commands.On(ID_SWITCH_FOCUS, [this] { SwitchFocus(); });
  m_commands.On(ID_VIEW_FONT, [this] { ChooseFontAndColors(); });
  m_commands.On(ID_APP_EXIT, [this] { close(); });
  // With no document the tab control is asked to focus tab 0 or -1 all the same.
  m_commands.On(ID_NEXT_TAB, [this] { m_tabClient->Tabs()->FocusNextTab(); });
  m_commands.On(ID_PREV_TAB, [this] { m_tabClient->Tabs()->FocusPreviousTab(); });
}

// The automatic colour (0xFF000000) may come back from the dialog; it is kept
// as chosen, and every view shows the default of that colour for it.
void CMainFrame::ChooseFontAndColors() {
  auto& c = m_settings.colors;
  CColorFontDlg dlg(m_font, this);
  dlg.m_crKeyword = c[kColorKeyword];
  dlg.m_crComment = c[kColorComment];
  dlg.m_crString = c[kColorString];
  dlg.m_crPattern = c[kColorPattern];
  dlg.m_crSubCall = c[kColorSubCall];
  dlg.m_crBack = c[kColorBack];
  dlg.m_crText = c[kColorText];
  if (dlg.exec() != QDialog::Accepted) return;
  c[kColorKeyword] = dlg.m_crKeyword;
  c[kColorComment] = dlg.m_crComment;
  c[kColorString] = dlg.m_crString;
  c[kColorPattern] = dlg.m_crPattern;
  c[kColorSubCall] = dlg.m_crSubCall;
  c[kColorBack] = dlg.m_crBack;
  c[kColorText] = dlg.m_crText;
  m_font = dlg.SelectedFont();
  UpdateAllViews(ViewUpdate::Settings);
  m_wndOutput->SetFont(m_font);
}

// The input line takes the focus when a run wants typed input, and gives it
// back to the script when the run ends.
void CMainFrame::ConnectInputLine() {
  RunInputLine& line = m_wndOutput->InputLine();
  connect(m_runner.get(), &ScriptRunner::inputWanted, this, [this, &line](bool wanted) {
    if (wanted) {
      line.Begin();
      return;
    }
    const bool hadFocus = line.isAncestorOf(QApplication::focusWidget());
    line.End();
    if (hadFocus && m_pLastView) m_pLastView->setFocus();
  });
  connect(&line, &RunInputLine::lineEntered, m_runner.get(), &ScriptRunner::SendInputLine);
  connect(&line, &RunInputLine::inputClosed, m_runner.get(), &ScriptRunner::CloseRunInput);
}

// Between the script view and the output pane, whichever way the focus is now.
void CMainFrame::SwitchFocus() {
  QWidget* focus = QApplication::focusWidget();
  if (qobject_cast<CMyView*>(focus)) {
    if (m_wndOutput->isVisible()) m_wndOutput->setFocus();
  } else if (focus == &m_wndOutput->Edit() || m_wndOutput->InputLine().isAncestorOf(focus)) {
    if (m_pLastView) m_pLastView->setFocus();
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (IsRunning()) {
    ShowMessage(this, QString::fromUtf8(str::kStopRunningScript), MsgIcon::Stop);
    event->ignore();
    return;
  }
  if (m_documents && !m_documents->SaveAllModified()) {
    event->ignore();
    return;
  }
  SaveOnDestroy();
  event->accept();
}

std::optional<WindowPlacement> CMainFrame::CurrentPlacement() const {
  const QRect r = normalGeometry();
  if (!r.isValid()) return std::nullopt;
  WindowPlacement w;
  w.showState = isMaximized() ? kShowMaximized : isMinimized() ? kShowMinimized : kShowNormal;
  w.left = r.left();
  w.top = r.top();
  w.right = r.right() + 1;
  w.bottom = r.bottom() + 1;
  return w;
}

void CMainFrame::SaveOnDestroy() {
  if (m_bDestroyed) return;
  m_bDestroyed = true;
  SaveBarState();
  m_settings.font = LogFontFromFont(m_font);
  SaveSettings(m_profile, m_settings, CurrentPlacement());
  RemoveIfExists(m_settings.m_szBatchPath);
  RemoveIfExists(GetProgramFilePath(kPifFileName));
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_bFirstShow) {
    m_bFirstShow = false;
    RestoreWindowPlacement();
  }
}

void CMainFrame::RestoreWindowPlacement() {
  LoadWindowPlacement(m_profile, m_settings);
  if (!m_settings.windowPos) return;
  const WindowPlacement& w = *m_settings.windowPos;
  if (w.right > w.left && w.bottom > w.top) {
    // A settings file may hold any numbers: the window stays reachable and
    // no larger than a screen. The stored rectangle is the inside of the
    // window; its frame goes round it.
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    std::vector<WindowRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
      const QRect area = screen->availableGeometry().marginsRemoved(margins);
      const WindowRect rect{area.x(), area.y(), area.width(), area.height()};
      if (screen == QGuiApplication::primaryScreen()) screens.insert(screens.begin(), rect);
      else screens.push_back(rect);
    }
    const WindowRect fitted = FitToScreens(w.left, w.top, w.right, w.bottom, screens);
    setGeometry(fitted.x, fitted.y, fitted.width, fitted.height);
  }
  if (w.showState == kShowMaximized) showMaximized();
}

}  // namespace corvella
