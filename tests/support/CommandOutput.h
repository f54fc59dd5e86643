// Test support: what a shell command prints on its standard output, read to the end.
#pragma once

#include <cstdio>
#include <string>

namespace corvella::test {

// Reading to the end also waits for what the command starts with its output.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

}  // namespace corvella::test
