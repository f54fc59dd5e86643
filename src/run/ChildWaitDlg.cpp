// Waiting for a child the user-interface thread needs the result of: the window keeps painting, and a run that does not end can be broken off.
#include "run/ChildWaitDlg.h"

#include <atomic>
#include <thread>

#include <QDialog>
#include <QDialogButtonBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/WaitCursor.h"
#include "res/Strings.h"

namespace corvella {

bool WaitForChild(QWidget* parent, const std::function<void()>& job, const std::function<void()>& cancel) {
  const WaitCursor wait;
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromUtf8(str::kAppTitle));
  dialog.setModal(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QString::fromUtf8(str::kWaitingForScript), &dialog));
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* breakOff = buttons->addButton(QString::fromUtf8(str::kBreakOff), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  bool cancelled = false;
  QObject::connect(breakOff, &QPushButton::clicked, &dialog, [&] {
    cancelled = true;
    breakOff->setEnabled(false);
    cancel();
  });
  // Escape and the close box break off as well.
  QObject::connect(&dialog, &QDialog::rejected, &dialog, [&] {
    if (!cancelled) {
      cancelled = true;
      cancel();
    }
  });
  QTimer delay;
  delay.setSingleShot(true);
  QObject::connect(&delay, &QTimer::timeout, &dialog, [&dialog] { dialog.show(); });
  delay.start(500);

  std::atomic<bool> done{false};
  QObject waker;
  std::thread worker([&] {
    job();
    done = true;
    QMetaObject::invokeMethod(&waker, [] {}, Qt::QueuedConnection);
  });
  // Until the dialog is up (and, being modal, keeps input from the other
  // windows) input waits in the queue: nothing may change the text meanwhile.
  while (!done) {
    const QEventLoop::ProcessEventsFlags flags =
        dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
  }
  worker.join();
  delay.stop();
  dialog.hide();
  return !cancelled;
}

}  // namespace corvella
