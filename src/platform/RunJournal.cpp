// What survives the editor's death during a run: the user's own bytes of each script under a run, and where they belong.
#include "platform/RunJournal.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <signal.h>
#include <unistd.h>

#include "platform/AtomicFile.h"
#include "platform/FileNames.h"

namespace corvella {
namespace {

namespace fs = std::filesystem;

bool ProcessExists(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

}  // namespace

std::string RunJournal::DefaultFolder() { return StateFolder() + "runs/"; }

RunJournal::RunJournal(std::string folder) : m_folder(std::move(folder)) {
  if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
}

// One record per process and script: "<pid>-<hash>.run" names the script,
// "<pid>-<hash>.bytes" holds its bytes.
std::string RunJournal::RecordBase(const std::string& scriptPath, long pid) const {
  return m_folder + std::to_string(pid) + "-" + std::to_string(std::hash<std::string>{}(scriptPath));
}

bool RunJournal::Begin(const std::string& scriptPath) const {
  std::error_code ec;
  fs::create_directories(m_folder, ec);
  const std::string base = RecordBase(scriptPath, ::getpid());
  if (CopyFileOver(scriptPath, base + ".bytes") != 0) return false;
  // The record last: a record always has its bytes beside it.
  if (WriteFileAtomically(base + ".run", scriptPath + "\n") != 0) {
    fs::remove(base + ".bytes", ec);
    return false;
  }
  return true;
}

void RunJournal::End(const std::string& scriptPath) const {
  const std::string base = RecordBase(scriptPath, ::getpid());
  std::error_code ec;
  fs::remove(base + ".run", ec);
  fs::remove(base + ".bytes", ec);
}

std::vector<std::string> RunJournal::RecoverAbandoned() const {
  std::vector<std::string> restored;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_folder, ec)) {
    const fs::path record = entry.path();
    if (record.extension() != ".run") continue;
    const std::string name = record.stem().string();
    const long pid = std::strtol(name.c_str(), nullptr, 10);
    if (ProcessExists(pid)) continue;
    std::ifstream in(record, std::ios::binary);
    std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!script.empty() && script.back() == '\n') script.pop_back();
    fs::path bytes = record;
    bytes.replace_extension(".bytes");
    // A record whose bytes cannot be put back stays for the next start.
    if (script.empty() || CopyFileOver(bytes.string(), script) != 0) continue;
    restored.push_back(script);
    fs::remove(record, ec);
    fs::remove(bytes, ec);
  }
  return restored;
}

}  // namespace corvella
