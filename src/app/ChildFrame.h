// The frame of one document window: always shown maximised inside the main window's document area.
#pragma once

#include <QList>
#include <QMdiSubWindow>
#include <QPointer>

#include "base/CommandRouter.h"

class QSplitter;

namespace corvella {

class CMyView;

// The window shows one view of its document, or two one above the other
// after 分割; the view that last had the focus is the active one.
class CChildFrame : public QMdiSubWindow, public CommandTarget {
  Q_OBJECT

 public:
  explicit CChildFrame(QWidget* parent = nullptr);

  // Ignores the requested state: a document window is always activated maximised.
  void ActivateFrame();

  // Adds a view below those there are (the window takes it over).
  void AddView(CMyView* view);
  QList<CMyView*> Views() const;
  CMyView* ActiveView() const;
  // Closes every view but the active one.
  void KeepActiveViewOnly();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QSplitter* m_splitter;
  QPointer<CMyView> m_pActiveView;
};

}  // namespace corvella
