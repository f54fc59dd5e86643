// The filter run of a macro: "perl" on macro/<name>.pl beside the program with the selection on standard input; what it prints replaces the selection.
#include "run/FilterRun.h"

#include <optional>

#include <QWidget>

#include "base/MessageBox.h"
#include "base/Settings.h"
#include "document/EditBuffer.h"
#include "editor/Cp932Text.h"
#include "editor/MyView.h"
#include "platform/ChildEnvironment.h"
#include "platform/ChildProcess.h"
#include "platform/FileNames.h"
#include "platform/PathParts.h"
#include "res/Strings.h"
#include "run/ChildWaitDlg.h"
#include "run/RunCommand.h"
#include "run/RunOutputDecoder.h"
#include "text/Newlines.h"

namespace corvella {

FilterRun::FilterRun(const Settings& settings, QWidget* window) : m_settings(settings), m_window(window) {}

void FilterRun::Run(CMyView& view, const std::string& name) {
  const std::string folder = JoinPath(ProgramFolder(), "macro");
  ChildEnvironment::Shared().PrependToPath(m_settings.m_szPerlDir);
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = RunArgv("perl", "", name + ".pl", std::nullopt);
  options.workingDir = folder;
  options.environment = ChildEnvironment::Shared().Entries();
  options.in = ChildProcess::Stream::Pipe;
  int error = 0;
  if (!child.Start(options, &error)) {
    const QString line = QStringLiteral("perl \"%1.pl\"").arg(QString::fromStdString(name));
    ShowMessage(m_window, QString::fromUtf8(str::kMacroCannotStart).arg(line, QString::number(error)), MsgIcon::Stop);
    return;
  }
  const EditBuffer& buffer = view.Buffer();
  const EditBuffer::Selection sel = buffer.GetSel();
  std::string input = buffer.GetText(sel.Start(), sel.End());
  ReplaceCrLf(input, kNewlineLf);  // in one pass: a large selection must not take quadratic time
  child.WriteInput(input);
  child.CloseInput();
  RunOutputDecoder outDecoder, errDecoder;
  std::string out, err;
  Wakeup stop;
  const bool finished = WaitForChild(
      m_window,
      [&] {
        child.ReadUntilEnd(stop, [&](std::string_view outBytes, std::string_view errBytes) {
          out += outDecoder.Feed(outBytes);
          err += errDecoder.Feed(errBytes);
        });
      },
      [&stop] { stop.Signal(); });
  if (!finished) return;
  out += outDecoder.Finish();
  err += errDecoder.Finish();
  if (!err.empty()) ShowMessage(m_window, SjisToQString(err), MsgIcon::None);
  if (!out.empty()) view.ReplaceSelUndoable(out);
}

}  // namespace corvella
