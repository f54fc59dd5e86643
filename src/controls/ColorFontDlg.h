// The editor font dialog: fixed-pitch font choice beside seven colour buttons for the syntax colours.
#pragma once

#include <QDialog>
#include <QFont>

#include <array>

#include "base/Settings.h"

class QFontDialog;
class QShowEvent;

namespace corvella {

class CCJColorPicker;

class CColorFontDlg : public QDialog {
  Q_OBJECT

 public:
  // The font list starts on `font`.
  explicit CColorFontDlg(const QFont& font, QWidget* parent = nullptr);

  // Set before the dialog is shown, read after OK; cancel leaves them alone.
  ColorRef m_crKeyword = 0;
  ColorRef m_crComment = 0;
  ColorRef m_crString = 0;
  ColorRef m_crPattern = 0;
  ColorRef m_crSubCall = 0;
  ColorRef m_crBack = 0;
  ColorRef m_crText = 0;

  // The font chosen in the list (the starting one until the user picks another).
  QFont SelectedFont() const;
  // The picker with control id 1025 or 1027..1032; null for any other id.
  CCJColorPicker* Picker(int id) const;
  // The embedded font chooser.
  QFontDialog* FontChooser() const { return fontChooser_; }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Slot {
    int id;
    ColorRef CColorFontDlg::*member;
    const char* label;
  };
  static const std::array<Slot, 7> kSlots;

  QFontDialog* fontChooser_ = nullptr;
  std::array<CCJColorPicker*, 7> pickers_{};
};

}  // namespace corvella
