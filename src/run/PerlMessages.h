// Perl's messages in a run's output: which lines name a place, and whether each is an error or a warning.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/PerlErrorLine.h"

namespace corvella {

enum class PerlMessageKind { Error, Warning };

// Perl prints no level with its messages. A message is a warning when it
// begins as one of perldiag's warnings (W, D and S classes) commonly seen, or
// with a category the diagnostics pragma puts before it ("(W misc) ...");
// everything else (syntax errors, undeclared names, missing modules, die
// messages) stops the script and counts as an error.
PerlMessageKind ClassifyPerlMessage(std::string_view message);

struct PerlMessage {
  PerlErrorLocation at;
  PerlMessageKind kind = PerlMessageKind::Error;
  std::string text;  // the line as printed, without its line end
};

// Every line of `output` (LF or CR LF) that names a place, in order.
std::vector<PerlMessage> CollectPerlMessages(std::string_view output);

}  // namespace corvella
