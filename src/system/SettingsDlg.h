// The settings dialog: the Perl folder and which perl runs, the editor options, the default encoding and newline, what opens at start.
#pragma once

#include <functional>

#include <QDialog>

#include "base/Settings.h"

class QAbstractSpinBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace corvella {

class CSettingsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxPerlDirChars = 255;
  static constexpr int kMinTabWidth = 1;
  static constexpr int kMaxTabWidth = 32;

  // Filled from `settings`; Store() writes the dialog's values back (call
  // after exec() == Accepted).
  CSettingsDlg(const Settings& settings, QWidget* parent = nullptr);

  // The Perl folder through ResolvePerlFolder, UsePerl, AutoSave, TabWidth,
  // KanjiConvert, CRLF, KanjiCode, OpenMode and SaveAsSJIS; nothing else.
  void Store(Settings& settings) const;

  // What makes `folder` no Perl folder, as told to the user (%1 filled);
  // empty when it is one, or empty itself.
  static QString PerlFolderProblem(const QString& folder);

  // Answers the browse button in place of the folder dialog: the chosen
  // folder, or empty for cancel (tests).
  void SetFolderChooser(std::function<QString(const QString& preselect)> choose);

  QLineEdit* PerlDirField() const { return m_perlDir; }
  QPushButton* BrowseButton() const { return m_browse; }
  QLineEdit* TabWidthField() const;
  QCheckBox* AutoSaveCheck() const { return m_autoSave; }

  // Refuses a Perl folder of more than 255 characters and a tab width that
  // is no integer from 1 to 32, staying open; tells of a Perl folder that
  // cannot be used, then closes.
  void accept() override;

 private:
  void OnBrowse();

  QLineEdit* m_perlDir;
  QPushButton* m_browse;
  QButtonGroup* m_usePerl;
  QAbstractSpinBox* m_tabWidth;
  QCheckBox* m_autoSave;
  QCheckBox* m_kanjiConvert;
  QCheckBox* m_saveAsSJIS;
  QComboBox* m_kanjiCode;
  QComboBox* m_crlf;
  QComboBox* m_openMode;
  QString m_lastChosen;
  std::function<QString(const QString&)> m_chooseFolder;
};

}  // namespace corvella
