// The settings store on disk: a QSettings INI file in the user's configuration folder.
#include "base/QSettingsProfile.h"

#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

#include "base/Settings.h"

namespace corvella {
namespace {

const QString kOrganisation = QStringLiteral("Varkel Software");
const QString kApplication = QStringLiteral("Corvella");

// Far beyond what the program writes: a few kilobytes.
constexpr off_t kMaxSettingsSize = 16 << 20;

QString Key(std::string_view section, std::string_view entry) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size()));
}

// The files QSettings reads: the application's and the organisation's, in
// the user's folder and the system's.
QString FirstUnusableFile() {
  for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
    for (const QString& name : {kOrganisation + QLatin1Char('/') + kApplication, kOrganisation}) {
      const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".ini");
      struct stat st;
      if (::stat(QFile::encodeName(path).constData(), &st) != 0) continue;
      if (!S_ISREG(st.st_mode) || st.st_size > kMaxSettingsSize) return path;
    }
  }
  return {};
}

}  // namespace

QSettingsProfile::QSettingsProfile() : m_unusable(FirstUnusableFile()) {
  if (m_unusable.isEmpty()) {
    m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
    m_settings->beginGroup(QString::fromUtf8(kSettingsSection));
    m_firstStart = m_settings->childKeys().isEmpty();
    m_settings->endGroup();
  }
}

QSettingsProfile::~QSettingsProfile() = default;

std::optional<std::string> QSettingsProfile::Read(std::string_view section, std::string_view entry) const {
  if (!m_settings) return m_memory.Read(section, entry);
  const QVariant value = m_settings->value(Key(section, entry));
  if (!value.isValid()) return std::nullopt;
  // A value QSettings reads back as a list (an unquoted comma in a
  // hand-edited file) is joined again the way it was written.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QLatin1Char(',')).toStdString();
  return value.toString().toStdString();
}

void QSettingsProfile::Write(std::string_view section, std::string_view entry, std::string_view value) {
  if (!m_settings) return m_memory.Write(section, entry, value);
  m_settings->setValue(Key(section, entry), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QSettingsProfile::DeleteSection(std::string_view section) {
  if (!m_settings) return m_memory.DeleteSection(section);
  m_settings->remove(QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())));
}

void QSettingsProfile::Flush() {
  if (m_settings) m_settings->sync();
}

QString QSettingsProfile::FileName() const { return m_settings ? m_settings->fileName() : m_unusable; }

}  // namespace corvella
