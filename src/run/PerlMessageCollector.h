// Perl's messages gathered from a run's output as it is read piece by piece, with only the lines that can name a place looked at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/PerlMessages.h"

namespace corvella {

class PerlMessageCollector {
 public:
  // The next bytes of the output, cut anywhere (within a line too).
  void Feed(std::string_view bytes);
  // Every line fed that names a place, in order, the last one also when no
  // line end follows it.
  std::vector<PerlMessage> Finish();
  // The same, leaving the collector as it is to be fed on.
  std::vector<PerlMessage> Messages() const;

 private:
  void Lines(std::string_view text);
  static void Line(std::string_view line, std::vector<PerlMessage>& messages);

  std::string m_partial;  // the beginning of a line whose end has not come yet
  std::vector<PerlMessage> m_messages;
};

}  // namespace corvella
