// What a run starts: the interpreter's command line, its split into arguments, and the shell script of a console run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// "jperl" when UsePerl is 1, "perl" otherwise.
std::string InterpreterName(int usePerl);

// The script's file name as the interpreter is to read it: a name that
// begins with "-" would be taken for an option (perl reads "-e.pl" as -e
// and its code), so it goes as "./-e.pl", a path no option looks like.
std::string ScriptPath(std::string_view fileName);

// ScriptPath's name, in double quotes when it holds a blank.
std::string ScriptArgument(std::string_view fileName);

// interpreter + option + " " + script, then " " + arguments when there are
// any (an empty argument text still adds the blank).
std::string RunCommandLine(std::string_view interpreter, std::string_view option, std::string_view scriptArgument,
                           const std::optional<std::string>& arguments);

// What the interpreter is started with: the interpreter, the option without
// its blank when there is one, the script's file name (by ScriptPath) as one
// argument of its own whatever it holds (blanks, quotes, tabs, a trailing
// backslash), then the argument text split by SplitCommandLine.
// RunCommandLine gives the same run as the text the pane and the console
// show.
std::vector<std::string> RunArgv(std::string_view interpreter, std::string_view option, std::string_view scriptFile,
                                 const std::optional<std::string>& arguments);

// Splits a command line into arguments by the rules programs on Windows use:
// blanks separate, double quotes group, "" inside quotes is one quote, and
// backslashes are literal unless they come before a double quote (2n
// backslashes and a quote: n backslashes and a grouping quote; 2n + 1: n
// backslashes and a literal quote). The first argument, the program, is
// taken up to the next blank, or between quotes, with no escapes.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// One word for sh: in single quotes, a single quote written as '\''.
std::string ShellQuote(std::string_view word);

// The console run's script: the Perl folder put before PATH when there is
// one, `commandLine` echoed, `argv` run with every word quoted for sh (so
// nothing of a name or an argument is ever executed), then a pause until
// Enter. Lines end with LF.
// With markers: the script deletes `startedMarker` first thing and
// `doneMarker` after the pause, so that the editor learns when the run has
// begun and ended whatever the terminal process does.
std::string ConsoleScript(std::string_view perlFolder, std::string_view commandLine,
                          const std::vector<std::string>& argv, std::string_view startedMarker = {},
                          std::string_view doneMarker = {});

}  // namespace corvella
