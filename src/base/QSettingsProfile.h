// The settings store on disk: a QSettings INI file in the user's configuration folder.
#pragma once

#include <QSettings>

#include "base/Profile.h"

namespace corvella {

// Organisation "Varkel Software", application "Corvella", user scope:
// $XDG_CONFIG_HOME/Varkel Software/Corvella.ini.
class QSettingsProfile : public Profile {
 public:
  QSettingsProfile();

  std::optional<std::string> Read(std::string_view section, std::string_view entry) const override;
  void Write(std::string_view section, std::string_view entry, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

  // Writes pending changes to disk now (they are also written on destruction).
  void Flush();
  QString FileName() const { return settings_.fileName(); }

 private:
  mutable QSettings settings_;
};

}  // namespace corvella
