// The settings store on disk: a QSettings INI file in the user's configuration folder.
#pragma once

#include <memory>

#include <QSettings>

#include "base/Profile.h"

namespace corvella {

// Organisation "Varkel Software", application "Corvella", user scope:
// $XDG_CONFIG_HOME/Varkel Software/Corvella.ini.
class QSettingsProfile : public Profile {
 public:
  QSettingsProfile();
  ~QSettingsProfile() override;

  std::optional<std::string> Read(std::string_view section, std::string_view entry) const override;
  void Write(std::string_view section, std::string_view entry, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

  // Writes pending changes to disk now (they are also written on destruction).
  void Flush();
  QString FileName() const;
  // A settings file that is there but is no regular file of a sane size (a
  // FIFO would hold up every read and write for good); empty when all is
  // well. The values then live in memory only and are not saved.
  const QString& UnusableFile() const { return m_unusable; }
  // Whether section "Settings" held no value when the store was opened: the
  // user's first start. A value stored empty is a value, so any later start
  // answers false.
  bool IsFirstStart() const { return m_firstStart; }

 private:
  QString m_unusable;
  bool m_firstStart = false;
  std::unique_ptr<QSettings> m_settings;  // none while m_unusable is set
  MemoryProfile m_memory;
};

}  // namespace corvella
