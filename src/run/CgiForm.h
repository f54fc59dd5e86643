// The form data of an emulated CGI call: the form encoding of a query, and the form in which names and values are stored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// Byte by byte: ASCII letters and digits and "_@.-*" as they are, a blank as
// "+", every other byte (CR, LF, "&", "=", "+", "%", each byte of a Shift_JIS
// character) as "%" and two upper-case hexadecimal digits.
std::string EncodeFormText(std::string_view bytes);

// The stored form of a name or value: "&" → "&amp;", then "<", ">" and the
// double quote as "&lt;", "&gt;", "&quot;", then CR LF as "<br>".
std::string StoreFormText(std::string_view text);
// The reverse, in the opposite order, so that every text comes back as it was.
std::string LoadFormText(std::string_view stored);

struct FormVariable {
  std::string name, value;  // Shift_JIS
};
// "name=value" pairs joined by "&", both form-encoded; a variable without a
// name is left out.
std::string FormQuery(const std::vector<FormVariable>& variables);

}  // namespace corvella
