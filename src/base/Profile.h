// The per-user settings store: sections of named integer and string values.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

// Strings are UTF-8. Integers are stored as decimal text, so a value written
// as a string can be read as an integer when it holds exactly one.
class Profile {
 public:
  virtual ~Profile() = default;

  virtual std::optional<std::string> Read(std::string_view section, std::string_view entry) const = 0;
  virtual void Write(std::string_view section, std::string_view entry, std::string_view value) = 0;
  virtual void DeleteSection(std::string_view section) = 0;

  // The stored integer, or `fallback` when the value is missing or is not a
  // whole decimal number that fits an int.
  int GetProfileInt(std::string_view section, std::string_view entry, int fallback) const;
  std::string GetProfileString(std::string_view section, std::string_view entry,
                               std::string_view fallback = {}) const;
  void WriteProfileInt(std::string_view section, std::string_view entry, int value);
  void WriteProfileString(std::string_view section, std::string_view entry, std::string_view value);
};

// Leading and trailing blanks allowed, an optional sign, digits, nothing else.
std::optional<int> ParseProfileInt(std::string_view text);

// A store that lives only as long as the object: for tests and as a scratch store.
class MemoryProfile : public Profile {
 public:
  std::optional<std::string> Read(std::string_view section, std::string_view entry) const override;
  void Write(std::string_view section, std::string_view entry, std::string_view value) override;
  void DeleteSection(std::string_view section) override;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace corvella
