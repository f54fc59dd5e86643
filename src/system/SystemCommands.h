// The commands through which the program meets the system around it: settings, associations, shortcuts, the read-me and the report.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace corvella {

class CommandMap;
struct Settings;

// `settingsChanged` runs after the settings dialog stored new values, so
// that every view takes them.
void RegisterSystemCommands(CommandMap& commands, QWidget* window, Settings& settings,
                            std::function<void()> settingsChanged);

// Opens the read-me (the one beside the program: GetProgramFilePath) with
// the desktop's handler; tells the user when it is missing or nothing could
// open it.
void OpenReadme(QWidget* window, const QString& path);

// The report's text for the Perl folder held in memory.
QString ReportText(const Settings& settings);

}  // namespace corvella
