// What the main window asks of the documents it shows; the document manager answers while it lives.
#pragma once

class QString;
class QWidget;

namespace corvella {

class CommandTarget;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  // Asked on close, after the running-script check: offer every modified
  // document for saving; false when the user cancelled.
  virtual bool SaveAllModified() = 0;
  // Opens a file dropped on the window or named by a line of Perl's output.
  virtual void OpenFile(const QString& path) = 0;
  // How many recent files the list holds now (their entries follow the first).
  virtual int RecentFileCount() const = 0;
  // A double-click on status pane `id`; `pane` places whatever it shows.
  virtual void PaneDoubleClicked(int id, QWidget* pane) = 0;
  // The command target of the active document (between view and child frame).
  virtual CommandTarget* ActiveDocumentTarget() = 0;
};

}  // namespace corvella
