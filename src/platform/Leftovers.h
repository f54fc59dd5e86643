// Files that programs which are gone left in the temporary folder: their run copies' temporary copies and their console-run scripts.
#pragma once

#include <string>

namespace corvella {

class RunJournal;

// Removes, from `tempFolder`, the console-run files ("corvella-<pid>-run.*")
// of processes that no longer exist, and the temporary copies ("<name>_$")
// that no run the journal still holds can need. Only the user's own regular
// files are touched.
void RemoveLeftovers(const std::string& tempFolder, const RunJournal& journal);

}  // namespace corvella
