// Every text the user sees, quoted exactly; UTF-8.
#pragma once

namespace corvella::str {

inline constexpr const char* kAppTitle = "Corvella";  // string 57344

}  // namespace corvella::str
