// The about box's build line, made from the compiler's __DATE__ and __TIME__ texts.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// A __DATE__-style text ("Dec  7 2026") in the form "Dec 7 2026": the
// compiler pads a one-digit day with a second space, which the build line
// does not keep, so every run of blanks becomes one space and blanks at
// either end go.
std::string NormaliseBuildDate(std::string_view date);

// "Build: <date> @ <time>" with the date normalised as above and the
// __TIME__-style text ("21:55:22") as it is.
std::string FormatBuildStamp(std::string_view date, std::string_view time);

}  // namespace corvella
