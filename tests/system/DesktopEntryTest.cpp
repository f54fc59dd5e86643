// Desktop entry values: Exec arguments quoted for the launcher, then escaped for the key file.
#include "system/DesktopEntry.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(DesktopEntry, ExecArgumentIsQuotedThenEscaped) {
  EXPECT_EQ(ExecArgument("/usr/bin/corvella"), "/usr/bin/corvella");
  EXPECT_EQ(ExecArgument("/opt/a b/x"), "\"/opt/a b/x\"");
  // Inside quotes " ` $ \ keep a backslash before them; % is doubled anywhere.
  EXPECT_EQ(ExecArgument("/o/\"q\"$`\\100%"), "\"/o/\\\"q\\\"\\$\\`\\\\100%%\"");
  EXPECT_EQ(ExecArgument("/x/100%"), "/x/100%%");

  DesktopEntry entry;
  entry.Set("Exec", ExecArgument("/a\\b c") + " %f");
  entry.Set("Name", " two\nlines");
  // A backslash of the path ends up as four: one escaping is for the launcher, one for the key file.
  EXPECT_EQ(entry.Text(), "[Desktop Entry]\nExec=\"/a\\\\\\\\b c\" %f\nName=\\stwo\\nlines\n");
}
