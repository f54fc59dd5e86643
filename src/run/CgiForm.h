// The form data of an emulated CGI call: the form encoding of a query, and the form in which names and values are stored.
#pragma once

#include <string>
#include <string_view>
#include <utility>
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


// What an emulated CGI call of the browser run sets up, from the dialog's
// choices: the method (0 POST, 1 GET), the encoded form query and the
// command-line argument text.
struct CgiCall {
  // Environment: REQUEST_METHOD, QUERY_STRING and, for POST, CONTENT_LENGTH.
  std::vector<std::pair<std::string, std::string>> environment;
  // Whether the argument text goes after the script name (split by the
  // Windows rules), and the POST body on standard input (none for GET).
  bool withArguments = false;
  bool hasInput = false;
  std::string input;
};
// POST: the query on standard input with its length, the arguments in
// QUERY_STRING and, when there are any, on the command line. GET: the query
// in QUERY_STRING; with no query the arguments go in QUERY_STRING and on the
// command line (also when empty).
CgiCall PlanCgiCall(int method, const std::string& query, const std::string& arguments);

}  // namespace corvella
