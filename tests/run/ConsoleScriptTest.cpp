// The console run's script run by a real sh: PATH takes the Perl folder first, every argument arrives as it was split, and the pause waits for Enter.
#include "run/RunCommand.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <csignal>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/CommandOutput.h"

using namespace corvella;

namespace {

std::string RunScript(const std::filesystem::path& script) {
  return test::CommandOutput("printf '\\n' | sh " + script.string() + " 2>&1");
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

// The run's end is signalled however the terminal's shell ends: at Enter, by
// Ctrl+C, or when the window is closed under it.
TEST(ConsoleScriptTest, TheDoneMarkerGoesWhicheverWayTheShellEnds) {
  const auto dir = std::filesystem::temp_directory_path() / ("corvella-markers-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto started = dir / "it's started", done = dir / "done $x";
  const auto script = dir / "do_perl.sh";
  std::ofstream(script) << ConsoleScript("", "true", {"true"}, started.string(), done.string());
  for (const int signal : {SIGHUP, SIGINT, 0}) {
    std::ofstream(started).put('x');
    std::ofstream(done).put('x');
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    const pid_t shell = ::fork();
    if (shell == 0) {
      ::dup2(input[0], 0);
      ::close(input[1]);
      ::execl("/bin/sh", "sh", script.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(input[0]);
    // Wait for the script to begin (it deletes the start marker), then end it.
    while (std::filesystem::exists(started)) ::usleep(10000);
    if (signal != 0) {
      ::kill(shell, signal);
    } else {
      ASSERT_EQ(::write(input[1], "\n", 1), 1);
    }
    int status = 0;
    ::waitpid(shell, &status, 0);
    ::close(input[1]);
    EXPECT_FALSE(std::filesystem::exists(done)) << "signal " << signal;
  }
  std::filesystem::remove_all(dir);
}
