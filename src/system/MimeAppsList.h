// The user's default applications by MIME type ("mimeapps.list") as text: our lines change, every other byte of the file stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// Only the lines of the group "[Default Applications]" are read or changed
// (a file holding that group twice is read as one group); the value of a type
// is a list of desktop ids separated by ';', the first one being the default.
class MimeAppsList {
 public:
  explicit MimeAppsList(std::string_view text = {});

  // The first desktop id of the type's value; empty when there is none.
  std::string Default(std::string_view type) const;

  // Puts `id` first in the type's value; the ids it held before follow as the
  // ones to fall back on, so that taking `id` out again gives them back. A
  // type written more than once keeps its first line only, so that every
  // reader of the file sees the same default.
  void SetDefault(std::string_view type, std::string_view id);

  // Takes `id` out of the type's value and removes a line left empty; the
  // type's other ids (another program's default) stay.
  void RemoveDefault(std::string_view type, std::string_view id);

  std::string Text() const;

 private:
  struct Line {
    std::string content;  // without the line end
    std::string end;      // "\n", "\r\n" or "" (the last line without one)
  };
  // Lines of the type in "[Default Applications]", in file order.
  std::vector<std::size_t> LinesOf(std::string_view type) const;
  std::string NewLineEnd() const;

  std::vector<Line> m_lines;
};

}  // namespace corvella
