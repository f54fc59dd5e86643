// Command 32801: asks for the page colours and a file name, then writes the script view's text as a coloured HTML page.
#include "export/HtmlExportCommand.h"

#include <QColor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "base/Profile.h"
#include "editor/Cp932Text.h"
#include "editor/SyntaxView.h"
#include "export/HtmlExport.h"
#include "res/Strings.h"

namespace corvella {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

ColorRef ToColorRef(const QColor& c) {
  return static_cast<ColorRef>(c.red()) | static_cast<ColorRef>(c.green()) << 8 |
         static_cast<ColorRef>(c.blue()) << 16;
}

// The page takes the colours in code page 932; the Settings keep them in UTF-8.
HtmlColours ToCp932(const HtmlColours& c) {
  auto conv = [](const std::string& utf8) { return QStringToSjis(QString::fromStdString(utf8)); };
  return {conv(c.keyword), conv(c.comment), conv(c.string), conv(c.pattern), conv(c.subCall)};
}

// Written beside the target and renamed over it (keeping the old file's
// permissions), so an export that fails halfway leaves any earlier file whole.
bool WritePage(const QString& path, const std::string& page) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(page.size());
  if (file.write(page.data(), size) != size) return false;
  return file.commit();
}

}  // namespace

HtmlExportPrompts DefaultHtmlExportPrompts() {
  HtmlExportPrompts prompts;
  prompts.runFormatDialog = [](CHtmlFormatDlg& dialog) { return dialog.exec() == QDialog::Accepted; };
  prompts.runSaveDialog = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
  };
  prompts.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, Text(str::kAppTitle), text, QMessageBox::Ok, parent);
    box.exec();
  };
  return prompts;
}

bool CanExportHtml(const CSyntaxView& view) { return view.Buffer().GetTextLength() != 0; }

std::unique_ptr<QFileDialog> MakeHtmlSaveDialog(QWidget* parent, const QString& title, const QString& folder) {
  auto dialog = std::make_unique<QFileDialog>(parent, Text(str::kHtmlSaveTitle));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(Text(str::kHtmlSaveFilter).split(QStringLiteral(";;")));
  dialog->setDefaultSuffix(QStringLiteral("html"));
  dialog->setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
  dialog->selectFile(QString::fromStdString(HtmlExportFileName(title.toStdString())));
  return dialog;
}

HtmlExportResult ExportHtml(QWidget* parent, const CSyntaxView& view, Profile& profile, const QString& title,
                            const QString& path, const HtmlExportPrompts& prompts) {
  HtmlColours colours = LoadHtmlColours(profile, ToColorRef(view.Colors().keyword), ToColorRef(view.Colors().comment),
                                        ToColorRef(view.Colors().string));
  CHtmlFormatDlg dialog(parent);
  dialog.SetMessageFn(prompts.message);
  dialog.m_strKwd = QString::fromStdString(colours.keyword);
  dialog.m_strCom = QString::fromStdString(colours.comment);
  dialog.m_strStr = QString::fromStdString(colours.string);
  dialog.m_strReg = QString::fromStdString(colours.pattern);
  dialog.m_strSub = QString::fromStdString(colours.subCall);
  if (!prompts.runFormatDialog(dialog)) return HtmlExportResult::Cancelled;
  colours = {dialog.m_strKwd.toStdString(), dialog.m_strCom.toStdString(), dialog.m_strStr.toStdString(),
             dialog.m_strReg.toStdString(), dialog.m_strSub.toStdString()};

  const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
  const std::unique_ptr<QFileDialog> saveDialog = MakeHtmlSaveDialog(parent, title, folder);
  const QString target = prompts.runSaveDialog(*saveDialog);
  if (target.isEmpty()) return HtmlExportResult::Cancelled;

  const std::string page =
      BuildHtmlPage(view.Buffer().GetText(), ToCp932(colours), view.TabWidth(), QStringToSjis(title));
  if (!WritePage(target, page)) {
    prompts.message(parent, QMessageBox::Warning, Text(str::kHtmlOpenFailed));
    return HtmlExportResult::Failed;
  }
  SaveHtmlColours(profile, colours);
  return HtmlExportResult::Written;
}

}  // namespace corvella
