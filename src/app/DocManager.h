// The documents of the program: new, open, close, save-modified questions, Save All, Close All and the recent-file list.
#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QStringList>

#include "app/DocumentHost.h"
#include "base/CommandRouter.h"

namespace corvella {

class CChildFrame;
class CMainFrame;
class CMyDoc;
class CMyView;
class BackgroundCheck;
class DebugController;
class ErrorMarker;
class Profile;
class RecoveryKeeper;
struct RecoveryRecord;

class DocManager : public QObject, public CommandTarget, public DocumentHost {
  Q_OBJECT

 public:
  static constexpr int kRecentFiles = 8;

  DocManager(CMainFrame& frame, Profile& profile, QObject* parent = nullptr);
  ~DocManager() override;

  // A new untitled document "untitled1", "untitled2", …
  CMyDoc* OnFileNew();
  // Opens `path` (expanded as every open does); an already open file is
  // only brought to the front. Null on failure (already reported).
  CMyDoc* OpenDocumentFile(const QString& path);
  // A document as a recovery copy kept it: its path (or a new untitled
  // name), codes and text, modified. Nothing is read from the disk.
  CMyDoc* OpenRecovered(const RecoveryRecord& record);
  // Offers the copies left by a program that died; Yes opens them, No
  // deletes them. Answers how many were opened.
  int OfferRecovery();

  // The save-modified question; false when the user cancelled.
  bool SaveModified(CMyDoc* doc);
  bool SaveAllModified() override;
  void CloseAll();
  void SaveAll();

  std::vector<CMyDoc*> Documents() const;
  // The background check, once the frame has been created.
  BackgroundCheck* Check() const { return m_check.get(); }
  CMyDoc* ActiveDocument() const;
  CMyDoc* DocumentOf(const CMyView* view) const;

  const QStringList& RecentFiles() const { return m_recent; }
  void AddToRecentFileList(const QString& path);
  void LoadRecentFileList();
  void SaveRecentFileList();

  void OpenFile(const QString& path) override;
  int RecentFileCount() const override;
  void PaneDoubleClicked(int id, QWidget* pane) override;
  CommandTarget* ActiveDocumentTarget() override;

 private:
  struct Entry;
  // A view of `doc`'s text, not yet in a window.
  CMyView* NewView(CMyDoc& doc);
  // What each view of `doc` needs from the manager: the print header, the run commands.
  void WireView(CMyDoc& doc, CMyView* view);
  void SplitActiveView();
  Entry* Attach(std::unique_ptr<CMyDoc> doc, CMyView* view);
  Entry* EntryOf(const CMyDoc* doc) const;
  // A document whose buffer is ready for large texts, with no text yet.
  std::unique_ptr<CMyDoc> NewDocument() const;
  void CloseDocument(CMyDoc* doc);
  void RegisterCommands();

  CMainFrame& m_frame;
  Profile& m_profile;
  // Before the documents, so that it outlives them and sees each one go.
  std::unique_ptr<RecoveryKeeper> m_recovery;
  std::unique_ptr<DebugController> m_debugger;  // made once the frame has its bars
  std::unique_ptr<ErrorMarker> m_errorMarker;    // likewise
  std::unique_ptr<BackgroundCheck> m_check;
  std::vector<std::unique_ptr<Entry>> m_docs;
  int m_nUntitled = 0;
  QStringList m_recent;
};

}  // namespace corvella
