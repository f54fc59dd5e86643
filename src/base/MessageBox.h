// The one message box of the program: the application title as caption, a stop / exclamation / question / no icon, Japanese buttons; a window's responders can answer it instead.
#pragma once

#include <QString>

class QWidget;

namespace corvella {

enum class MsgIcon { None, Stop, Exclamation, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// Shows `text` modally and answers the button pressed (Escape or closing the
// box answers Cancel, or No where there is no Cancel). The responders served
// to `parent`'s window, if any, answer in its place.
MsgResult ShowMessage(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok);
// The box itself, whoever serves the window.
MsgResult ShowMessageBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons);

// The system's reason for a failed file operation, by its error code, in the
// user's words.
QString SystemErrorReason(int error);
// A failure told while a save waits: the ordinary cursor over the box.
void ReportOverWait(QWidget* parent, const QString& text);
// `format` (UTF-8: the path, the system's reason, the error number) told as above.
void ReportFileFailure(QWidget* parent, const char* format, const QString& path, int error);

}  // namespace corvella
