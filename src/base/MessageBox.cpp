// The one message box of the program: the application title as caption, a stop / exclamation / question / no icon, Japanese buttons; a window's responders can answer it instead.
#include "base/MessageBox.h"

#include <cerrno>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "base/LabelText.h"
#include "base/Responders.h"
#include "res/Strings.h"

namespace corvella {
namespace {

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Stop: return QMessageBox::Critical;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MsgResult ShowMessage(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons) {
  if (const Responders* responders = Responders::For(parent)) return responders->Message(parent, text, icon, buttons);
  return ShowMessageBox(parent, text, icon, buttons);
}

MsgResult ShowMessageBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(ToQt(icon), QString::fromUtf8(str::kAppTitle), text, QMessageBox::NoButton, parent);
  auto add = [&box](const char* caption, QMessageBox::ButtonRole role) {
    return box.addButton(QString::fromUtf8(caption), role);
  };
  QPushButton* ok = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  switch (buttons) {
    case MsgButtons::Ok: ok = add(str::kButtonOk, QMessageBox::AcceptRole); break;
    case MsgButtons::OkCancel:
      ok = add(str::kButtonOk, QMessageBox::AcceptRole);
      cancel = add(str::kButtonCancel, QMessageBox::RejectRole);
      break;
    case MsgButtons::YesNo:
      yes = add(str::kButtonYes, QMessageBox::YesRole);
      no = add(str::kButtonNo, QMessageBox::NoRole);
      break;
    case MsgButtons::YesNoCancel:
      yes = add(str::kButtonYes, QMessageBox::YesRole);
      no = add(str::kButtonNo, QMessageBox::NoRole);
      cancel = add(str::kButtonCancel, QMessageBox::RejectRole);
      break;
  }
  // Japanese has no spaces to wrap at: left to itself the box breaks lines
  // inside words.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    FitLabelText(label, text, MessageTextWidthLimit(label));
  }
  box.setDefaultButton(ok ? ok : yes);
  box.setEscapeButton(cancel ? cancel : (no ? no : ok));
  box.exec();
  QAbstractButton* pressed = box.clickedButton();
  if (!pressed) return cancel ? MsgResult::Cancel : (no ? MsgResult::No : MsgResult::Ok);
  if (pressed == ok) return MsgResult::Ok;
  if (pressed == yes) return MsgResult::Yes;
  if (pressed == no) return MsgResult::No;
  return MsgResult::Cancel;
}

QString SystemErrorReason(int error) {
  const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
  switch (error) {
    case ENOENT:
    case ENOTDIR: return text(str::kErrNotFound);
    case EACCES:
    case EPERM: return text(str::kErrAccess);
    case EISDIR: return text(str::kErrIsFolder);
    case EINVAL: return text(str::kErrNotRegular);
    case ENOSPC:
    case EDQUOT: return text(str::kErrNoSpace);
    case EROFS: return text(str::kErrReadOnlyFs);
    case EFBIG: return text(str::kErrTooBig);
    case ENOMEM: return text(str::kErrNoMemory);
    case ENAMETOOLONG: return text(str::kErrNameTooLong);
    case EIO: return text(str::kErrIo);
    default: return text(str::kErrOther);
  }
}

void ReportOverWait(QWidget* parent, const QString& text) {
  const bool waiting = QApplication::overrideCursor() != nullptr;
  if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
  ShowMessage(parent, text, MsgIcon::Exclamation);
  if (waiting) QApplication::restoreOverrideCursor();
}

void ReportFileFailure(QWidget* parent, const char* format, const QString& path, int error) {
  ReportOverWait(parent, QString::fromUtf8(format).arg(QDir::toNativeSeparators(path), SystemErrorReason(error),
                                                       QString::number(error)));
}

}  // namespace corvella
