// The environment report a user copies into a support request: what is known about the program and the machine, one line each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

struct ReportFacts {
  std::string programPath;
  std::string version;        // "2.0.6.6"
  std::string kernelRelease;  // as uname gives it, "6.1.0-18-amd64"
  std::string distribution;   // the system's own name for itself; may be empty
  std::uint64_t physicalMemoryBytes = 0;
  std::string perlFolder;
  std::string htmlHandler;    // the desktop entry that opens web pages; empty: none
  std::string tempFolder;
};

// The report's lines in their fixed order, each ending in CR LF.
std::string FormatReport(const ReportFacts& facts);

// The leading "major.minor.patch" numbers of a kernel release, missing parts
// as 0: "6.1.0-18-amd64" → "6.1.0", "5.15" → "5.15.0".
std::string KernelVersionNumbers(std::string_view release);

// PRETTY_NAME of an os-release file (quotes and escapes taken off), else
// NAME and VERSION joined by a blank, else empty.
std::string OsReleaseName(std::string_view osRelease);

}  // namespace corvella
