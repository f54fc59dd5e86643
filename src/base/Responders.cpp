// Who answers a window's message boxes, modal dialogs and desktop hand-overs.
#include "base/Responders.h"

#include <QDialog>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "base/DesktopOpener.h"

namespace corvella {
namespace {

// A child of the served window; a pointer, so that the window may outlive them.
class ResponderLink : public QObject {
 public:
  ResponderLink(QWidget* window, Responders* responders) : QObject(window), m_target(responders) {}
  Responders* Target() const { return m_target.data(); }

 private:
  QPointer<Responders> m_target;
};

// Without a meta-object of its own the link is found by its C++ type.
ResponderLink* LinkOf(const QObject* window) {
  for (QObject* child : window->children()) {
    if (auto* link = dynamic_cast<ResponderLink*>(child)) return link;
  }
  return nullptr;
}

}  // namespace

Responders::Responders(QObject* parent) : QObject(parent) {}

Responders::~Responders() = default;

void Responders::Serve(QWidget* window) {
  delete LinkOf(window);
  new ResponderLink(window, this);
}

Responders* Responders::For(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (const ResponderLink* link = LinkOf(w); link && link->Target()) return link->Target();
  }
  return nullptr;
}

MsgResult Responders::Message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons) const {
  if (m_message) return m_message(text, icon, buttons);
  return ShowMessageBox(parent, text, icon, buttons);
}

bool Responders::OpenUrl(const QUrl& url) const {
  if (m_open) return m_open(url);
  return OpenWithDesktop(url);
}

int Responders::RunModal(QDialog& dialog) const {
  if (m_modal) return m_modal(dialog);
  return dialog.exec();
}

int RunModal(QDialog& dialog) {
  const Responders* responders = Responders::For(&dialog);
  return responders ? responders->RunModal(dialog) : dialog.exec();
}

}  // namespace corvella
