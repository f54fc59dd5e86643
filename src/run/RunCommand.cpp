// What a run starts: the interpreter's command line, its split into arguments, and the shell script of a console run.
#include "run/RunCommand.h"

#include "res/Strings.h"

namespace corvella {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string InterpreterName(int usePerl) { return usePerl == 1 ? "jperl" : "perl"; }

std::string ScriptPath(std::string_view fileName) {
  std::string path(fileName.starts_with('-') ? "./" : "");
  path += fileName;
  return path;
}

std::string ScriptArgument(std::string_view fileName) {
  std::string path = ScriptPath(fileName);
  if (path.find(' ') == std::string::npos) return path;
  // Built piece by piece: GCC 12 at -O3 takes "literal" + string for an overlapping copy.
  std::string quoted(1, '"');
  quoted += path;
  quoted += '"';
  return quoted;
}

std::string RunCommandLine(std::string_view interpreter, std::string_view option, std::string_view scriptArgument,
                           const std::optional<std::string>& arguments) {
  std::string line(interpreter);
  line += option;
  line += ' ';
  line += scriptArgument;
  if (arguments) {
    line += ' ';
    line += *arguments;
  }
  return line;
}

std::vector<std::string> SplitCommandLine(std::string_view s) {
  std::vector<std::string> args;
  std::size_t i = 0;
  // The program: no escapes, quotes only group.
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i == s.size()) return args;
  std::string program;
  if (s[i] == '"') {
    const std::size_t close = s.find('"', i + 1);
    program = std::string(s.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
    i = close == std::string_view::npos ? s.size() : close + 1;
  }
  while (i < s.size() && !IsBlank(s[i])) program += s[i++];
  args.push_back(program);

  for (;;) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size()) return args;
    std::string arg;
    bool quoted = false;
    while (i < s.size() && (quoted || !IsBlank(s[i]))) {
      if (s[i] == '\\') {
        std::size_t n = 0;
        while (i < s.size() && s[i] == '\\') {
          ++n;
          ++i;
        }
        if (i < s.size() && s[i] == '"') {
          arg.append(n / 2, '\\');
          if (n % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(n, '\\');
        }
      } else if (s[i] == '"') {
        if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
          arg += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += s[i++];
      }
    }
    args.push_back(std::move(arg));
  }
}

std::vector<std::string> RunArgv(std::string_view interpreter, std::string_view option, std::string_view scriptFile,
                                 const std::optional<std::string>& arguments) {
  std::vector<std::string> argv{std::string(interpreter)};
  while (!option.empty() && option.front() == ' ') option.remove_prefix(1);
  if (!option.empty()) argv.emplace_back(option);
  argv.push_back(ScriptPath(scriptFile));
  if (arguments) {
    // The program slot of the split takes the first word by other rules; a
    // stand-in keeps the user's words under the argument rules.
    std::vector<std::string> words = SplitCommandLine("x " + *arguments);
    argv.insert(argv.end(), words.begin() + 1, words.end());
  }
  return argv;
}

std::string ShellQuote(std::string_view word) {
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  quoted += '\'';
  return quoted;
}

std::string ConsoleScript(std::string_view perlFolder, std::string_view commandLine,
                          const std::vector<std::string>& argv, std::string_view startedMarker,
                          std::string_view doneMarker) {
  std::string script = "#!/bin/sh\n";
  // The run ends however the shell ends: Ctrl+C in the terminal or its
  // window closed (hang-up) would otherwise leave the editor waiting for ever.
  // The traps come before the start is signalled, so no signal slips between.
  if (!doneMarker.empty()) {
    script += "corvella_done=" + ShellQuote(doneMarker) + "\n";
    script += "trap 'rm -f -- \"$corvella_done\"' EXIT\n";
    script += "trap 'exit 129' HUP; trap 'exit 130' INT; trap 'exit 143' TERM\n";
  }
  if (!startedMarker.empty()) script += "rm -f -- " + ShellQuote(startedMarker) + "\n";
  if (!perlFolder.empty()) script += "PATH=" + ShellQuote(perlFolder) + ":\"$PATH\"; export PATH\n";
  script += "printf '%s\\n' " + ShellQuote(commandLine) + "\n";
  std::string command;
  for (const std::string& arg : argv) {
    if (!command.empty()) command += ' ';
    command += ShellQuote(arg);
  }
  script += command + "\n";
  script += "printf '%s' " + ShellQuote(str::kConsolePause) + "\n";
  script += "read _ignored\n";
  return script;
}

}  // namespace corvella
