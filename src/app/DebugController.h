// The debugger commands of the frame: starts a debug session of the active script, moves it on, keeps the debugger's breakpoints those of the open documents, and shows each stop in the source and the debug panes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QPointer>

#include "run/DebugConnection.h"

namespace corvella {

class CMainFrame;
class CMyDoc;
class CMyView;
class CommandMap;
class DebugPanes;
class DebugScriptRun;
class DocManager;

class DebugController : public QObject {
  Q_OBJECT

 public:
  DebugController(CMainFrame& frame, DocManager& docs);
  ~DebugController() override;

  void RegisterCommands(CommandMap& commands);
  DebugPanes& Panes() const { return *m_panes; }

 private:
  enum class State { Idle, Running, Stopped };

  bool Begin();
  void Go();
  void Step(const char* command);
  void StepOut();
  void RunToCaret();
  void Move(const std::string& command);
  void Stopped(const DebugConnection::Stop& stop);
  void Ended(const DebugConnection::Stop& stop);
  void Finished();
  void MarkDeath();
  void Evaluated(const std::string& reply);
  void SyncBreakpoints();
  // Opens (or brings forward) the file the debugger names and puts the
  // caret on `line`; with `mark`, the line is marked as where the program is.
  void ShowLine(const QString& debuggerFile, long line, bool mark);
  void ClearMark();
  std::string Bytes(const QString& text) const;
  std::vector<std::string> Watches() const;
  void Status(const QString& text);

  CMainFrame& m_frame;
  DocManager& m_docs;
  DebugPanes* m_panes;
  QPointer<DebugScriptRun> m_run;
  QPointer<CMyDoc> m_script;
  State m_state = State::Idle;
  // By the file's absolute path (bytes): the lines (from 1) the debugger has
  // breakpoints on.
  std::map<std::string, std::set<long>> m_sent;
  QPointer<CMyDoc> m_marked;  // where the program stands, or where it died
  QString m_exitCode;         // once the program has ended
};

}  // namespace corvella
