// The template and macro items of the menus: the ".pl" files of the template and macro folders, listed anew each time a menu opens.
#include "app/TemplateMenus.h"

#include <algorithm>
#include <string>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "base/CommandRouter.h"
#include "app/TemplateListDlg.h"
#include "app/TemplateNameDlg.h"
#include "base/MessageBox.h"
#include "editor/MyView.h"
#include "document/EditBuffer.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "run/ScriptRunner.h"

namespace corvella {
namespace {

// Far more than any template: it goes into the editor at once.
constexpr std::uint64_t kMaxTemplateSize = 16 << 20;

QString ProgramSubfolder(const char* name) {
  return QFile::decodeName(QByteArray::fromStdString(GetProgramFilePath(name)));
}

}  // namespace

TemplateMenus::TemplateMenus(CommandRouter& router, ScriptRunner& runner, std::function<CMyView*()> activeView,
                             std::function<QString()> activeTitle, QWidget* window)
    : m_router(router),
      m_runner(runner),
      m_activeView(std::move(activeView)),
      m_activeTitle(std::move(activeTitle)),
      m_window(window),
      m_nextTemplateId(res::ID_TEMPLATE_FIRST),
      m_nextMacroId(res::ID_MACRO_FIRST) {}

QStringList TemplateMenus::ScriptNames(const QString& folder) {
  QStringList names;
  // Hidden files too: a template named ".x" is still the user's template.
  // Regular files only (through links): a FIFO would hang whoever reads it.
  for (const QFileInfo& file : QDir(folder).entryInfoList({QStringLiteral("*.pl")}, QDir::Files | QDir::Hidden)) {
    if (!file.isFile()) continue;
    const QString name = file.fileName().left(file.fileName().lastIndexOf(QLatin1Char('.')));
    if (!name.isEmpty()) names << name;
  }
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
  return names;
}

void TemplateMenus::Register(CommandMap& commands) {
  const auto needView = [this](CmdUI& ui) { ui.enabled = m_activeView() != nullptr; };
  commands.On(res::ID_TEMPLATE_ADD, [this] {
    if (CMyView* view = m_activeView()) AddToTemplates(*view, m_activeTitle ? m_activeTitle() : QString());
  }, [this](CmdUI& ui) {
    const CMyView* view = m_activeView();
    ui.enabled = view && view->Buffer().GetTextLength() > 0;
  });
  commands.OnRange(res::ID_TEMPLATE_FIRST, res::ID_TEMPLATE_LAST, [this](int id) {
    const int index = id - res::ID_TEMPLATE_FIRST;
    if (CMyView* view = m_activeView(); view && index < m_templates.size()) InsertTemplate(*view, m_templates[index]);
  }, needView);
  commands.OnRange(res::ID_MACRO_FIRST, res::ID_MACRO_LAST, [this](int id) {
    const int index = id - res::ID_MACRO_FIRST;
    if (CMyView* view = m_activeView(); view && index < m_macros.size()) {
      m_runner.RunMacro(*view, QFile::encodeName(m_macros[index]).toStdString());
    }
  }, needView);
}

// Beyond 400 names the ids would run into the next range: the rest is left out.
void TemplateMenus::Fill(QMenu* popup, int firstId, const QStringList& names, int& nextId) {
  for (int id = firstId; id < nextId; ++id) popup->removeAction(m_router.Action(id));
  nextId = firstId;
  for (const QString& name : names) {
    if (nextId - firstId >= 400) break;
    QAction* item = m_router.Action(nextId++);
    item->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    popup->addAction(item);
  }
}

void TemplateMenus::Rebuild(const QList<QMenu*>& popups) {
  const auto at = std::find_if(popups.begin(), popups.end(), [this](QMenu* popup) {
    return !popup->actions().isEmpty() && popup->actions().first() == m_router.Action(res::ID_TEMPLATE_ADD);
  });
  if (at == popups.end()) return;
  m_templates = ScriptNames(ProgramSubfolder("template"));
  Fill(*at, res::ID_TEMPLATE_FIRST, m_templates, m_nextTemplateId);
  if (at + 1 == popups.end()) return;
  QMenu* macros = *(at + 1);
  // The separator the popup starts with only holds its place.
  if (!macros->actions().isEmpty() && macros->actions().first()->isSeparator()) {
    macros->removeAction(macros->actions().first());
  }
  m_macros = ScriptNames(ProgramSubfolder("macro"));
  Fill(macros, res::ID_MACRO_FIRST, m_macros, m_nextMacroId);
}

// The file's bytes are taken as Shift_JIS, its lines ending in CR LF whatever they ended in.
void TemplateMenus::InsertTemplate(CMyView& view, const QString& name) {
  const QString path = ProgramSubfolder("template") + QLatin1Char('/') + name + QStringLiteral(".pl");
  // A FIFO or device under a template's name would hang the read.
  const FileReadResult read = ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxTemplateSize);
  if (read.status != FileReadResult::Status::Ok) {
    ShowMessage(m_window, QString::fromUtf8(str::kTemplateCannotOpen).arg(QDir::toNativeSeparators(path)),
                MsgIcon::Exclamation);
    return;
  }
  const QByteArray bytes = QByteArray::fromStdString(read.bytes);
  std::string text;
  for (QByteArray line : bytes.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    text.append(line.constData(), static_cast<std::size_t>(line.size()));
    text += "\r\n";
  }
  // The split leaves one empty piece after a last line end: that line is not there.
  if (bytes.endsWith('\n') || bytes.isEmpty()) text.resize(text.size() - 2);
  view.ReplaceSelUndoable(text);
}

void TemplateMenus::AddToTemplates(CMyView& view, const QString& title) {
  QString name = title.left(title.indexOf(QLatin1Char('.')) < 0 ? title.size() : title.indexOf(QLatin1Char('.')));
  if (m_askName) {
    if (!m_askName(name)) return;
  } else {
    CTemplateNameDlg dialog(name, m_window);
    if (dialog.exec() != QDialog::Accepted) return;
    name = dialog.Name();
  }
  if (!IsUsableName(name)) {
    ShowMessage(m_window, QString::fromUtf8(str::kTemplateBadName).arg(name), MsgIcon::Exclamation);
    return;
  }
  const QString folder = ProgramSubfolder("template");
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".pl");
  const QString shown = QDir::toNativeSeparators(path);
  if (QFileInfo::exists(path) &&
      ShowMessage(m_window, QString::fromUtf8(str::kTemplateOverwrite).arg(shown), MsgIcon::Exclamation,
                  MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  // A missing template folder is made rather than failing the first addition.
  QDir().mkpath(folder);
  if (WriteFileAtomically(QFile::encodeName(path).toStdString(), view.Buffer().GetText()) != 0) {
    ShowMessage(m_window, QString::fromUtf8(str::kTemplateCannotOpen).arg(shown), MsgIcon::Exclamation);
  }
}

bool TemplateMenus::IsUsableName(const QString& name) {
  return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

void TemplateMenus::Organize(std::function<bool(const QString& path)> openDocument) {
  CTemplateListDlg dialog(m_templates, ProgramSubfolder("template"), std::move(openDocument), m_window);
  dialog.exec();
}

}  // namespace corvella
