// The form data of an emulated CGI call: the form encoding of a query, and the form in which names and values are stored.
#include "run/CgiForm.h"

#include <iterator>

namespace corvella {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  for (std::size_t found = text.find(from); found != std::string_view::npos; found = text.find(from, at)) {
    out.append(text.substr(at, found - at));
    out.append(to);
    at = found + from.size();
  }
  out.append(text.substr(at));
  return out;
}

}  // namespace

std::string EncodeFormText(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                       c == '@' || c == '.' || c == '-' || c == '*';
    if (plain) {
      out += ch;
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

// Applied in this order when storing, undone in the opposite order.
constexpr std::pair<std::string_view, std::string_view> kStoredForm[] = {
    {"&", "&amp;"}, {"<", "&lt;"}, {">", "&gt;"}, {"\"", "&quot;"}, {"\r\n", "<br>"}};

std::string StoreFormText(std::string_view text) {
  std::string out(text);
  for (const auto& [plain, stored] : kStoredForm) out = ReplaceAll(out, plain, stored);
  return out;
}

std::string LoadFormText(std::string_view stored) {
  std::string out(stored);
  for (auto it = std::rbegin(kStoredForm); it != std::rend(kStoredForm); ++it) out = ReplaceAll(out, it->second, it->first);
  return out;
}

std::string FormQuery(const std::vector<FormVariable>& variables) {
  std::string query;
  for (const FormVariable& v : variables) {
    if (v.name.empty()) continue;
    if (!query.empty()) query += '&';
    query += EncodeFormText(v.name) + "=" + EncodeFormText(v.value);
  }
  return query;
}


CgiCall PlanCgiCall(int method, const std::string& query, const std::string& arguments) {
  CgiCall call;
  if (method == 0) {
    call.environment = {{"CONTENT_LENGTH", std::to_string(query.size())},
                        {"REQUEST_METHOD", "POST"},
                        {"QUERY_STRING", arguments}};
    call.withArguments = !arguments.empty();
    call.hasInput = true;
    call.input = query;
  } else {
    call.environment = {{"QUERY_STRING", query.empty() ? arguments : query}, {"REQUEST_METHOD", "GET"}};
    call.withArguments = query.empty();
  }
  return call;
}

}  // namespace corvella
