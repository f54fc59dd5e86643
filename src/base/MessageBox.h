// The one message box of the program: the application title as caption, a stop / exclamation / question / no icon, Japanese buttons; tests can answer it instead.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace corvella {

enum class MsgIcon { None, Stop, Exclamation, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// Shows `text` modally and answers the button pressed (Escape or closing the
// box answers Cancel, or No where there is no Cancel).
MsgResult ShowMessage(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok);

// The system's reason for a failed file operation, by its error code, in the
// user's words.
QString SystemErrorReason(int error);

// While set, ShowMessage asks the hook instead of showing a box (tests).
using MessageHook = std::function<MsgResult(const QString& text, MsgIcon icon, MsgButtons buttons)>;
void SetMessageHook(MessageHook hook);

}  // namespace corvella
