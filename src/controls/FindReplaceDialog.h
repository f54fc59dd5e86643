// The modeless find or replace dialog: search and replace fields, match case, direction, and the action buttons.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvella {

// Only collects what the user asks for; FindReplace carries it out on a view.
// Child widgets carry object names ("findWhat", "replaceWith", "matchCase",
// "up", "down", "findNext", "replace", "replaceAll", "cancel").
class FindReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindReplaceDialog(bool findOnly, QWidget* parent = nullptr);

  bool IsFindOnly() const { return replaceEdit_ == nullptr; }

  QString FindWhat() const;
  void SetFindWhat(const QString& text);  // selects it, ready to be typed over
  QString ReplaceWith() const;            // empty in the find dialog
  void SetReplaceWith(const QString& text);
  bool MatchCase() const;
  void SetMatchCase(bool on);
  // The replace dialog has no direction: it always searches down.
  bool SearchDown() const;
  void SetSearchDown(bool down);

 signals:
  void findNextClicked();
  void replaceClicked();
  void replaceAllClicked();

 private:
  void UpdateButtons();

  QLineEdit* findEdit_ = nullptr;
  QLineEdit* replaceEdit_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QPushButton* findNext_ = nullptr;
  QPushButton* replace_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
};

}  // namespace corvella
