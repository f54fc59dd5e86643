// What the report says about this machine, asked of the system.
#include "system/SystemFacts.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include "platform/ChildProcess.h"
#include "platform/FileNames.h"

namespace corvella {
namespace {

std::string ReadSmallFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string DefaultHtmlHandler() {
  ChildProcess child;
  ChildProcess::Options options;
  options.argv = {"xdg-mime", "query", "default", "text/html"};
  options.err = ChildProcess::Stream::Null;
  if (!child.Start(options)) return {};
  std::string out, err;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  bool ended = false;
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    ended = child.ReadSome(out, err, 200) == ChildProcess::Progress::Ended;
  }
  // A query that hangs is given up; the destructor ends the child.
  if (!ended || child.Wait() != 0) return {};
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
  return out.find('\n') == std::string::npos ? out : std::string();
}

}  // namespace

ReportFacts GatherReportFacts() {
  ReportFacts facts;
  std::error_code ec;
  facts.programPath = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  if (utsname name{}; uname(&name) == 0) facts.kernelRelease = name.release;
  std::string osRelease = ReadSmallFile("/etc/os-release");
  if (osRelease.empty()) osRelease = ReadSmallFile("/usr/lib/os-release");
  facts.distribution = OsReleaseName(osRelease);
  if (struct sysinfo info{}; sysinfo(&info) == 0) {
    facts.physicalMemoryBytes = static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
  }
  facts.htmlHandler = DefaultHtmlHandler();
  facts.tempFolder = TempFolder();
  return facts;
}

}  // namespace corvella
