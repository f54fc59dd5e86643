// The settings store on disk: a QSettings INI file in the user's configuration folder.
#include "base/QSettingsProfile.h"

namespace corvella {
namespace {

QString Key(std::string_view section, std::string_view entry) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

}  // namespace

QSettingsProfile::QSettingsProfile()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varkel Software"),
                QStringLiteral("Corvella")) {}

std::optional<std::string> QSettingsProfile::Read(std::string_view section, std::string_view entry) const {
  const QVariant value = settings_.value(Key(section, entry));
  if (!value.isValid()) return std::nullopt;
  // A value QSettings reads back as a list (an unquoted comma in a
  // hand-edited file) is joined again the way it was written.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

void QSettingsProfile::Write(std::string_view section, std::string_view entry, std::string_view value) {
  settings_.setValue(Key(section, entry), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QSettingsProfile::DeleteSection(std::string_view section) {
  settings_.remove(QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())));
}

void QSettingsProfile::Flush() { settings_.sync(); }

}  // namespace corvella
