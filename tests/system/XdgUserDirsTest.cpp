// The user's named folders read from user-dirs.dirs.
#include "system/XdgUserDirs.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(XdgUserDirs, LastValidLineOfTheNameWins) {
  const std::string text =
      "# written by the session\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"/data/Docs\"\n"
      "  XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"\n"
      "XDG_DESKTOP_DIR=\"relative/desk\"\n"
      "XDG_MUSIC_DIR=\"$HOMEWARD/Music\"\n"
      "XDG_VIDEOS_DIR=\"$HOME\n";
  EXPECT_EQ(UserDirFromConfig(text, "DESKTOP", "/home/u"), "/home/u/My \"Desk\"");
  EXPECT_EQ(UserDirFromConfig(text, "DOCUMENTS", "/home/u"), "/data/Docs");
  EXPECT_EQ(UserDirFromConfig(text, "MUSIC", "/home/u"), std::nullopt);
  EXPECT_EQ(UserDirFromConfig(text, "VIDEOS", "/home/u"), std::nullopt);
  EXPECT_EQ(UserDirFromConfig(text, "PICTURES", "/home/u"), std::nullopt);
}
