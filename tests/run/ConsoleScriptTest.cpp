// The console run's script run by a real sh: PATH takes the Perl folder first, every argument arrives as it was split, and the pause waits for Enter.
#include "run/RunCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

std::string RunScript(const std::filesystem::path& script) {
  const std::string command = "printf '\\n' | sh " + script.string() + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buffer[512];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  pclose(pipe);
  return out;
}

}  // namespace

TEST(ConsoleScriptTest, ArgumentsReachTheInterpreterFromThePerlFolder) {
  const auto dir = std::filesystem::temp_directory_path() / ("corvella-console-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "perl bin");
  // A stand-in interpreter that prints each argument on a line of its own.
  const auto fake = dir / "perl bin" / "perl";
  std::ofstream(fake) << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n";
  ::chmod(fake.c_str(), 0755);

  // A script name Linux allows (a tab, a quote, `...`, a trailing backslash)
  // arrives as one word; the argument text is split by the Windows rules.
  const std::string name = "my \"t`id`\test\t$(x).pl\\";
  const std::optional<std::string> args = "'it''s' \"$HOME;false\" a\\\"b";
  const std::string line = RunCommandLine("perl", " -w", ScriptArgument(name), args);
  const auto script = dir / "do_perl.sh";
  std::ofstream(script) << ConsoleScript((dir / "perl bin").string(), line, RunArgv("perl", " -w", name, args));
  const std::string out = RunScript(script);
  EXPECT_NE(out.find(line + "\n"), std::string::npos) << out;  // the command is shown first
  EXPECT_NE(out.find("[-w]\n[" + name + "]\n['it''s']\n[$HOME;false]\n[a\"b]\n"), std::string::npos) << out;
  EXPECT_NE(out.find("続行するには Enter キーを押してください"), std::string::npos) << out;
  std::filesystem::remove_all(dir);
}
