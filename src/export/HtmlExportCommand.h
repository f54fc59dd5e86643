// Command 32801: asks for the page colours and a file name, then writes the script view's text as a coloured HTML page.
#pragma once

#include <functional>
#include <memory>

#include <QString>

#include "export/HtmlFormatDlg.h"

class QFileDialog;
class QWidget;

namespace corvella {

class CSyntaxView;
class Profile;

inline constexpr int kIdHtmlExport = 32801;

// The questions the export puts to the user. The defaults show the real
// dialogs; tests replace any of them.
struct HtmlExportPrompts {
  // Shows the colour dialog modally; true when it was closed with OK.
  std::function<bool(CHtmlFormatDlg& dialog)> runFormatDialog;
  // Shows the save dialog modally; the chosen path, or empty when cancelled.
  std::function<QString(QFileDialog& dialog)> runSaveDialog;
  MessageFn message;
};
HtmlExportPrompts DefaultHtmlExportPrompts();

enum class HtmlExportResult { Cancelled, Failed, Written };

// The update handler: the command is enabled while the view holds any text.
bool CanExportHtml(const CSyntaxView& view);

// The save dialog as the export shows it: title "HTML 出力", the HTML and
// all-files filters, default suffix "html", proposed name `title` + ".html"
// in `folder` (the current folder when empty), overwrite confirmed.
std::unique_ptr<QFileDialog> MakeHtmlSaveDialog(QWidget* parent, const QString& title, const QString& folder);

// The command handler. `title` is the document's title, `path` its file
// (empty for a new document; its folder is where the save dialog starts).
// The page replaces the chosen file only once it is completely written, and
// the five HTML_ colours are stored only after that.
HtmlExportResult ExportHtml(QWidget* parent, const CSyntaxView& view, Profile& profile, const QString& title,
                            const QString& path, const HtmlExportPrompts& prompts = DefaultHtmlExportPrompts());

}  // namespace corvella
