// The on-disk settings store: location, round trips and section removal.
#include "base/QSettingsProfile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(QSettingsProfile, StoresUnderTheOrganisationAndApplication) {
  QSettingsProfile profile;
  profile.WriteProfileInt("Settings", "TabWidth", 8);
  profile.Flush();
  const QString expected = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Varkel Software/Corvella.ini");
  EXPECT_EQ(profile.FileName(), expected);
  EXPECT_TRUE(QFile::exists(expected));
}

TEST(QSettingsProfile, ValuesSurviveANewStoreObject) {
  {
    QSettingsProfile profile;
    profile.WriteProfileString("Settings", "Colors", "FF0000,0000C0,808000,FF00FF,008000");
    profile.WriteProfileString("Settings", "Argument", "-x \xe6\x97\xa5\xe6\x9c\xac");
    profile.WriteProfileInt("Settings", "AutoIndent", 0);
    profile.WriteProfileInt("Recent File List", "File1", -3);
  }
  QSettingsProfile profile;
  EXPECT_EQ(profile.GetProfileString("Settings", "Colors"), "FF0000,0000C0,808000,FF00FF,008000");
  EXPECT_EQ(profile.GetProfileString("Settings", "Argument"), "-x \xe6\x97\xa5\xe6\x9c\xac");
  EXPECT_EQ(profile.GetProfileInt("Settings", "AutoIndent", 1), 0);
  EXPECT_EQ(profile.GetProfileInt("Recent File List", "File1", 0), -3);
  EXPECT_EQ(profile.GetProfileInt("Settings", "Missing", 42), 42);
  EXPECT_EQ(profile.GetProfileInt("Settings", "Colors", 7), 7);  // text is not a number
  EXPECT_EQ(profile.GetProfileString("Settings", "Missing", "dflt"), "dflt");

  profile.DeleteSection("Recent File List");
  EXPECT_FALSE(profile.Read("Recent File List", "File1").has_value());
  EXPECT_TRUE(profile.Read("Settings", "Colors").has_value());
}

}  // namespace
