// File-name helpers shared by documents, runs, templates and system integration.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/PathParts.h"

namespace corvella {

// The folder that plays the program folder's role: the executable's folder,
// or the per-user data folder when the executable's folder is not writable.
const std::string& ProgramFolder();

// $XDG_STATE_HOME/Corvella/, else ~/.local/state/Corvella/: what the
// program keeps between its runs that is not a setting.
std::string StateFolder();

// Program folder joined with `name`.
std::string GetProgramFilePath(std::string_view name);

// Temporary folder + file name of `path` + "_$": where a script's own bytes
// wait while the editor's text stands in for it during a run.
std::string GetTempCopyPath(std::string_view path);

// True when the path names an existing entry of any kind.
bool FileExists(const std::string& path);

// True when the file exists and the user may not write to it.
bool IsReadOnlyFile(const std::string& path);

// Gives the owner write permission when the file's mode can be read.
void ClearReadOnly(const std::string& path);

// Canonical absolute path of an existing file; nothing when the path names
// nothing or the result would be longer than a path may be.
std::optional<std::string> ExpandLongPath(const std::string& path);

// The path every way of opening a file uses: a path beginning with two
// separators as given (network-style paths are not expanded), otherwise its
// expansion when that succeeds, otherwise the path as given.
std::string PathForOpening(const std::string& path);

// The Perl folder as every run uses it: the canonical form of an absolute
// folder that holds the interpreter (an executable perl or jperl), else
// empty. A relative folder is refused: what it names would depend on the
// folder the editor was started from.
std::string ResolvePerlFolder(const std::string& stored);

// The Perl folder of the first absolute folder of `searchPath` (a PATH
// value) that holds an executable `perl`; empty when none does.
std::string PerlFolderOnPath(std::string_view searchPath);

// Deletes a file when there is one; a failure is not an error to report.
void RemoveIfExists(const std::string& path);

// The temporary folder, ending with a separator.
std::string TempFolder();

}  // namespace corvella
