// The Perl word a caret stands on: a name with its package parts, a variable with its sigil (punctuation variables too), a file test or an operator.
#include "document/PerlWordAt.h"

#include <vector>

#include "document/SjisChar.h"

namespace corvella {
namespace {

bool IsNameStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Characters that make up operators such as `=~`, `<=>` or `||=`.
bool IsOperatorChar(unsigned char c) {
  return std::string_view("=~!<>+-*/%.&|^?:,\\").find(static_cast<char>(c)) != std::string_view::npos;
}

// What may follow `$` as a one-character punctuation variable (`$_` is a name).
bool IsPunctuationVariable(unsigned char c) {
  return std::string_view("&`'+!@/\\,;.<>()[]|?-:\"^~=%$0").find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsFileTestLetter(unsigned char c) {
  return std::string_view("rwxoRWXOezsfdlpSbcugktTBAMC").find(static_cast<char>(c)) != std::string_view::npos;
}

struct Token {
  std::size_t begin = 0, end = 0;
  bool isOperator = false;
  std::string word;
};

class Scanner {
 public:
  explicit Scanner(std::string_view line) : m_line(line) {}

  std::vector<Token> Tokens() {
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < m_line.size()) {
      const std::size_t end = Next(pos, tokens);
      pos = end > pos ? end : pos + 1;
    }
    return tokens;
  }

 private:
  unsigned char At(std::size_t pos) const { return pos < m_line.size() ? static_cast<unsigned char>(m_line[pos]) : 0; }

  // The end of a name with `::` parts starting at `pos` (`pos` itself when none).
  std::size_t NameEnd(std::size_t pos) const {
    std::size_t end = pos;
    for (;;) {
      while (IsNameChar(At(end))) ++end;
      if (At(end) == ':' && At(end + 1) == ':' && IsNameStart(At(end + 2))) {
        end += 2;
        continue;
      }
      return end;
    }
  }

  // Scans the token at `pos`, appends it when it is a word, answers its end.
  std::size_t Next(std::size_t pos, std::vector<Token>& tokens) {
    const unsigned char c = At(pos);
    if (c == '$' || c == '@' || c == '%') {
      if (const std::size_t end = VariableEnd(pos); end > pos + 1) {
        tokens.push_back({pos, end, false, Aggregate(pos, end)});
        return end;
      }
    }
    if (IsNameStart(c)) {
      const std::size_t end = NameEnd(pos);
      tokens.push_back({pos, end, false, std::string(m_line.substr(pos, end - pos))});
      return end;
    }
    if (IsDigit(c)) {
      std::size_t end = pos;
      while (IsNameChar(At(end)) || At(end) == '.') ++end;
      return end;
    }
    if (c == '-' && IsFileTestLetter(At(pos + 1)) && !IsNameChar(At(pos + 2)) && (pos == 0 || !IsNameChar(At(pos - 1)))) {
      tokens.push_back({pos, pos + 2, false, std::string(m_line.substr(pos, 2))});
      return pos + 2;
    }
    if (IsOperatorChar(c)) {
      std::size_t end = pos;
      while (IsOperatorChar(At(end))) ++end;
      tokens.push_back({pos, end, true, std::string(m_line.substr(pos, end - pos))});
      return end;
    }
    auto at = [this](std::size_t i) { return At(i); };
    return SjisCharEnd(at, pos, m_line.size());
  }

  // The end of the variable whose sigil is at `pos`; `pos + 1` when none follows.
  std::size_t VariableEnd(std::size_t pos) const {
    std::size_t name = pos + 1;
    if (m_line[pos] == '$' && At(name) == '#' && (IsNameStart(At(name + 1)) || At(name + 1) == '{')) ++name;
    const unsigned char c = At(name);
    if (IsNameStart(c)) return NameEnd(name);
    if (c == '{' && At(name + 1) == '^') {  // ${^WARNING_BITS}
      std::size_t end = name + 2;
      while (IsNameChar(At(end))) ++end;
      return At(end) == '}' ? end + 1 : pos + 1;
    }
    if (c == '^' && At(name + 1) >= 'A' && At(name + 1) <= 'Z') return name + 2;  // $^W
    if (IsDigit(c)) {
      std::size_t end = name;
      while (IsDigit(At(end))) ++end;
      return end;
    }
    if (m_line[pos] == '$' && IsPunctuationVariable(c)) return name + 1;
    if (m_line[pos] != '$' && (c == '-' || c == '+' || (m_line[pos] == '%' && c == '!'))) return name + 1;  // @- %+ %!
    return pos + 1;
  }

  // `$name[` and `$name{` are elements of `@name` and `%name`.
  std::string Aggregate(std::size_t pos, std::size_t end) const {
    std::string word(m_line.substr(pos, end - pos));
    if (word[0] == '$' && word.size() > 1 && word[1] != '#') {
      if (At(end) == '[') word[0] = '@';
      if (At(end) == '{') word[0] = '%';
    }
    return word;
  }

  std::string_view m_line;
};

}  // namespace

std::string PerlWordAt(std::string_view line, std::size_t caret) {
  const Token* inside = nullptr;
  const Token* before = nullptr;
  const std::vector<Token> tokens = Scanner(line).Tokens();
  for (const Token& token : tokens) {
    if (token.begin <= caret && caret < token.end) inside = &token;
    if (token.end == caret) before = &token;
  }
  if (inside && before && inside->isOperator && !before->isOperator) return before->word;
  if (inside) return inside->word;
  return before ? before->word : std::string();
}

}  // namespace corvella
