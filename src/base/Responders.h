// Who answers a window's message boxes, modal dialogs and desktop hand-overs: the real ones, or whatever a test puts in their place for that window alone.
#pragma once

#include <functional>

#include <QObject>

#include "base/MessageBox.h"

class QDialog;
class QUrl;
class QWidget;

namespace corvella {

// Served to a window, it answers for that window and every widget inside it
// (found through the parents), so nothing is shared across the process. An
// answer not set is the real one.
class Responders : public QObject {
  Q_OBJECT

 public:
  using MessageFn = std::function<MsgResult(const QString& text, MsgIcon icon, MsgButtons buttons)>;
  using OpenFn = std::function<bool(const QUrl& url)>;
  using ModalFn = std::function<int(QDialog& dialog)>;

  explicit Responders(QObject* parent = nullptr);
  ~Responders() override;

  // Answers for `window` from now on, until this object goes.
  void Serve(QWidget* window);
  // The responders of the nearest window up from `widget` that has any, or null.
  static Responders* For(const QWidget* widget);

  void SetMessage(MessageFn message) { m_message = std::move(message); }
  void SetDesktopOpen(OpenFn open) { m_open = std::move(open); }
  void SetModal(ModalFn modal) { m_modal = std::move(modal); }

  MsgResult Message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) const;
  bool OpenUrl(const QUrl& url) const;
  int RunModal(QDialog& dialog) const;

 private:
  MessageFn m_message;
  OpenFn m_open;
  ModalFn m_modal;
};

// A modal dialog as its window's responders run it (exec() unless replaced).
int RunModal(QDialog& dialog);

}  // namespace corvella
