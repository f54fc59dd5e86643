// The OK and Cancel buttons of the program's small dialogs, with their Japanese texts.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace corvella {

// OK (the default button) accepts `dialog`, キャンセル rejects it.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

}  // namespace corvella
