// The command line of a start: its option, and "--" before files whose names look like options.
#include "app/StartArguments.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

using Args = std::vector<std::string>;

TEST(StartArguments, DoubleDashEndsTheOptionsAndIsNoFile) {
  const StartArguments plain({"/tmp/a.pl", "--startup-time", "b.pl"});
  EXPECT_TRUE(plain.TimeStartup());
  EXPECT_EQ(plain.Files(), (Args{"/tmp/a.pl", "b.pl"}));

  // What a desktop entry or a script passes: "--" then the file.
  const StartArguments dashed({"--", "/tmp/hello.pl"});
  EXPECT_FALSE(dashed.TimeStartup());
  EXPECT_EQ(dashed.Files(), (Args{"/tmp/hello.pl"}));

  const StartArguments after({"--startup-time", "--", "--startup-time", "--", "-w"});
  EXPECT_TRUE(after.TimeStartup());
  EXPECT_EQ(after.Files(), (Args{"--startup-time", "--", "-w"}));
}

}  // namespace
