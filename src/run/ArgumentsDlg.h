// The arguments dialog: the arguments of a run typed or taken from the last five used.
#pragma once

#include <QComboBox>
#include <QDialog>

#include "run/ArgumentHistory.h"

namespace corvella {

class Profile;

class CArgumentsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxChars = 255;

  CArgumentsDlg(Profile& profile, QWidget* parent = nullptr);
  // The history goes back to the profile however the dialog was closed.
  ~CArgumentsDlg() override;

  // Put into the field when the dialog is shown, taken back on OK.
  QString m_strArgs;

  QComboBox* Combo() const { return m_combo; }
  const ArgumentHistory& History() const { return m_history; }

  // Refuses a text of more than 255 characters and stays open.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillList();

  Profile& m_profile;
  ArgumentHistory m_history;
  QComboBox* m_combo;
};

}  // namespace corvella
