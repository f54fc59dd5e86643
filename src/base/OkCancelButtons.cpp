// The OK and Cancel buttons of the program's small dialogs, with their Japanese texts.
#include "base/OkCancelButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "res/Strings.h"

namespace corvella {

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(QString::fromUtf8(str::kButtonOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QString::fromUtf8(str::kButtonCancel), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace corvella
