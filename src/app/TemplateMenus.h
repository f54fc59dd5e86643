// The template and macro items of the menus: the ".pl" files of the template and macro folders, listed anew each time a menu opens.
#pragma once

#include <functional>

#include <QList>
#include <QStringList>

class QMenu;
class QWidget;

namespace corvella {

class CMyView;
class CommandMap;
class CommandRouter;
class ScriptRunner;

class TemplateMenus {
 public:
  TemplateMenus(CommandRouter& router, ScriptRunner& runner, std::function<CMyView*()> activeView,
                std::function<QString()> activeTitle, QWidget* window);

  // Items 200… insert a template at the caret, items 600… run a macro over
  // the selection of the active view.
  void Register(CommandMap& commands);
  // Refills the template popup (the one that begins with 32796) and the macro
  // popup after it, when `popups` hold them.
  void Rebuild(const QList<QMenu*>& popups);

  const QStringList& Templates() const { return m_templates; }
  const QStringList& Macros() const { return m_macros; }

  // The names of the ".pl" files of `folder` without ".pl", sorted the way
  // the user's language sorts.
  static QStringList ScriptNames(const QString& folder);
  // Inserts the template at the caret (CR LF line ends, undoable).
  void InsertTemplate(CMyView& view, const QString& name);
  // Saves the view's text as a template: the name asked for (the document's
  // title up to its first "." proposed), an existing one replaced only when
  // the user agrees. `askName` shows the name dialog; tests answer it.
  void AddToTemplates(CMyView& view, const QString& title);
  void SetNameAsker(std::function<bool(QString& name)> ask) { m_askName = std::move(ask); }
  // Shows the organiser on the template list; `openDocument` opens a
  // template for editing.
  void Organize(std::function<bool(const QString& path)> openDocument);

  // Whether `name` makes a file in the template folder: not empty, no "/"
  // (which would reach another folder) and no NUL.
  static bool IsUsableName(const QString& name);

 private:
  void Fill(QMenu* popup, int firstId, const QStringList& names, int& nextId);

  CommandRouter& m_router;
  ScriptRunner& m_runner;
  std::function<CMyView*()> m_activeView;
  std::function<bool(QString& name)> m_askName;
  std::function<QString()> m_activeTitle;
  QWidget* m_window;
  QStringList m_templates, m_macros;
  int m_nextTemplateId;
  int m_nextMacroId;
};

}  // namespace corvella
