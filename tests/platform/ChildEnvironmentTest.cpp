// The children's environment: set, remove, the Perl folder before PATH once, and a real child seeing it.
#include "platform/ChildEnvironment.h"

#include <gtest/gtest.h>

#include "platform/ChildProcess.h"

using namespace corvella;

TEST(ChildEnvironmentTest, VariablesAndPath) {
  ChildEnvironment env({"PATH=/usr/bin:/bin", "HOME=/home/u", "PATHX=other"});
  EXPECT_EQ(env.Get("PATH"), "/usr/bin:/bin");
  EXPECT_FALSE(env.Get("PAT"));
  env.PrependToPath("/opt/perl/bin");
  env.PrependToPath("/opt/perl/bin");  // once only
  env.PrependToPath("");
  EXPECT_EQ(env.Get("PATH"), "/opt/perl/bin:/usr/bin:/bin");
  EXPECT_EQ(env.Get("PATHX"), "other");
  env.Set("HOME", std::nullopt);
  env.Set("CORVELLA_X", "1");
  env.Set("CORVELLA_X", "2");
  EXPECT_FALSE(env.Get("HOME"));
  EXPECT_EQ(env.Get("CORVELLA_X"), "2");
  EXPECT_EQ(env.Entries().size(), 3u);

  // The shared copy starts as the editor's own and reaches a child.
  ChildEnvironment& shared = ChildEnvironment::Shared();
  EXPECT_EQ(shared.Get("PATH"), std::string(::getenv("PATH")));
  ChildEnvironment run(shared.Entries());
  run.Set("CORVELLA_RUN", "yes");
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = {"perl", "-e", "print $ENV{CORVELLA_RUN}"};
  options.environment = run.Entries();
  ASSERT_TRUE(child.Start(options));
  std::string out, err;
  while (child.ReadSome(out, err, -1) == ChildProcess::Progress::Open) {
  }
  EXPECT_EQ(out, "yes");
  EXPECT_EQ(child.Wait(), 0);
}
