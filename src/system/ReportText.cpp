// The environment report a user copies into a support request.
#include "system/ReportText.h"

#include <cctype>
#include <map>

namespace corvella {
namespace {

// A value of an os-release line: shell-style, optionally quoted, with
// backslash escapes inside double quotes.
std::string UnquoteValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    const char quote = value.front();
    value = value.substr(1, value.size() - 2);
    if (quote == '\'') return std::string(value);
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      out += value[i];
    }
    return out;
  }
  return std::string(value);
}

}  // namespace

std::string KernelVersionNumbers(std::string_view release) {
  std::string numbers[3] = {"0", "0", "0"};
  std::size_t at = 0;
  for (int part = 0; part < 3; ++part) {
    std::size_t end = at;
    while (end < release.size() && std::isdigit(static_cast<unsigned char>(release[end]))) ++end;
    if (end == at) break;
    numbers[part] = std::string(release.substr(at, end - at));
    if (end >= release.size() || release[end] != '.') break;
    at = end + 1;
  }
  return numbers[0] + "." + numbers[1] + "." + numbers[2];
}

std::string OsReleaseName(std::string_view osRelease) {
  std::map<std::string, std::string, std::less<>> values;
  while (!osRelease.empty()) {
    const std::size_t lf = osRelease.find('\n');
    std::string_view line = osRelease.substr(0, lf);
    osRelease = lf == std::string_view::npos ? std::string_view{} : osRelease.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t eq = line.find('=');
    if (line.empty() || line.front() == '#' || eq == std::string_view::npos) continue;
    values[std::string(line.substr(0, eq))] = UnquoteValue(line.substr(eq + 1));
  }
  if (auto it = values.find("PRETTY_NAME"); it != values.end() && !it->second.empty()) return it->second;
  std::string name = values["NAME"];
  const std::string& version = values["VERSION"];
  if (!name.empty() && !version.empty()) name += ' ';
  return name + version;
}

std::string FormatReport(const ReportFacts& facts) {
  std::string report;
  const auto line = [&report](std::string_view label, std::string_view value) {
    report.append(label).append(value).append("\r\n");
  };
  line("[Path] ", facts.programPath);
  line("[Version] ", facts.version);
  if (!facts.kernelRelease.empty()) {
    line("[OS Version] Linux ", KernelVersionNumbers(facts.kernelRelease) + " " + facts.distribution);
  }
  line("[Physical Memory] ", std::to_string(facts.physicalMemoryBytes >> 20) + " MB");
  line("[Perl Path] ", facts.perlFolder);
  line("[Associated with .htm] ", facts.htmlHandler.empty() ? std::string("none") : facts.htmlHandler);
  line("[Temporary Path] ", facts.tempFolder);
  return report;
}

}  // namespace corvella
