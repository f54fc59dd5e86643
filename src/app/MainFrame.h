// The main window: document area, menus, toolbar, status bar, the in-memory Settings, editor font and colours, and the frame's own commands.
#pragma once

#include <atomic>
#include <memory>

#include <QFont>
#include <QMainWindow>
#include <QPointer>

#include "base/CommandRouter.h"
#include "base/Settings.h"
#include "document/HintList.h"
#include "run/ScriptRunner.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class QWindow;

namespace corvella {

class CChildFrame;
class CMdiTabClient;
class COutputBar;
class TemplateMenus;
class CMyView;
class CSubListCombo;
class DocumentHost;
class EditorDialogs;
class Profile;

class CMainFrame : public QMainWindow, public CommandTarget {
  Q_OBJECT

 public:
  // `app` ends the command chain (the application's own commands).
  CMainFrame(Profile& profile, CommandTarget* app, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // The creation sequence; false when a step fails.
  bool Create();

  CommandRouter& Router() { return *m_router; }
  void SetAppTarget(CommandTarget* app) { m_app = app; }
  Settings& GetSettings() { return m_settings; }
  const QFont& EditorFont() const { return m_font; }
  void SetEditorFont(const QFont& font) { m_font = font; }
  QMdiArea* MdiArea() const { return m_mdiArea; }
  COutputBar* OutputBar() const { return m_wndOutput; }
  // Fills the status panes from the update handlers (run on every idle update).
  void UpdatePanes();
  // The text of status pane `id` (59143 line, 59144 encoding, 59145 newline, ...).
  QString PaneText(int id) const;
  QToolBar* ToolBar() const { return m_toolBar; }
  // The drop-down of the active document's declarations, after the buttons.
  CSubListCombo* SubList() const { return m_subList; }

  // A new document window around `view`, maximised and active.
  CChildFrame* AddDocumentWindow(CMyView* view, const QString& title);
  // A further view of the document that `child` shows (its settings, hints
  // and context menu as for the first).
  void AddView(CChildFrame* child, CMyView* view);
  CMyView* ActiveView() const;
  CChildFrame* ActiveChild() const;

  // What changed, sent to every view; the numbers are the broadcast's own.
  enum class ViewUpdate { Settings = 1, Colouring = 2, AutoIndent = 3 };
  void UpdateAllViews(ViewUpdate hint);

  // Input hints for built-in functions. LoadHints reads a hint file (the one
  // beside the program at creation); a file that cannot be read is reported
  // and leaves the list empty.
  void LoadHints(const std::string& path);
  // The hint for `word`, or empty; Shift_JIS bytes.
  std::string FindHint(const std::string& word) const { return m_hints.FindHint(word); }
  // Shows a hint in the first status pane; an empty one shows the idle message.
  void ShowHint(const std::string& hint);

  // Menu 129 while a document is open, 128 otherwise.
  void ShowMenuFor(bool documentsOpen);

  // The documents' side of closing, dropping, the recent files and the
  // panes; null while no manager is attached (the frame may outlive it).
  void SetDocumentHost(DocumentHost* host) { m_documents = host; }

  // The runner holds the run state (m_bRunning, m_bConsoleRun,
  // m_strRunCommand, m_strRunScript, m_csRun) and the run commands.
  ScriptRunner& Runner() const { return *m_runner; }
  TemplateMenus& Templates() const { return *m_templateMenus; }
  // The find state and dialogs every view shares.
  EditorDialogs& GetEditorDialogs() const { return *m_editorDialogs; }
  // A script runs: the frame does not close, the run commands wait.
  bool IsRunning() const { return m_runner && m_runner->IsRunning(); }

  // The view that last had the focus, while it lives.
  CMyView* LastView() const { return m_pLastView; }

 signals:
  void activeDocumentChanged();
  // Create has made the bars and the runner.
  void created();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateStatusBar();
  void RegisterCommands();
  void ArrangeWindows(int command);
  void ScheduleTitleUpdate();
  void FollowFocusWindow(QWindow* now);
  void JumpToError(const std::string& line);
  void RestoreWindowPlacement();
  std::optional<WindowPlacement> CurrentPlacement() const;
  void SaveOnDestroy();
  void LoadBarState();
  void SaveBarState();
  bool BarExists(int id) const;
  void SwitchFocus();
  void ConnectInputLine();
  void ChooseFontAndColors();
  void ShowContextMenu(const QPoint& globalPos);
  std::vector<CommandTarget*> CommandChain();
  void FillRecentFiles(QMenu* popup);
  void FillWindowList(QMenu* popup);

  Profile& m_profile;
  CommandTarget* m_app;
  DocumentHost* m_documents = nullptr;
  CMyView* m_pLastView = nullptr;
  std::unique_ptr<CommandRouter> m_router;
  Settings m_settings;
  QFont m_font;
  QMdiArea* m_mdiArea = nullptr;
  QToolBar* m_toolBar = nullptr;
  CSubListCombo* m_subList = nullptr;
  COutputBar* m_wndOutput = nullptr;
  CMdiTabClient* m_tabClient = nullptr;
  HintList m_hints;
  QLabel* m_panes[7] = {};
  int m_paneIds[7] = {};
  QString m_paneInitialTexts[7];
  QMenu* m_contextMenu = nullptr;  // menu 138, made on first use
  QList<QPointer<QAction>> m_windowItems;  // the open windows listed in the Window menu
  int m_menuShown = 0;
  bool m_bFirstShow = true;
  bool m_bDestroyed = false;
  std::unique_ptr<ScriptRunner> m_runner;
  std::unique_ptr<TemplateMenus> m_templateMenus;
  std::unique_ptr<EditorDialogs> m_editorDialogs;
  QPointer<QWindow> m_focusWindow;  // the window that holds the focus, for FollowFocusWindow
};

}  // namespace corvella
