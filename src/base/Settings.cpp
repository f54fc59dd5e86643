// The Settings record: every value of section "Settings", its default, how it is read and written.
#include "base/Settings.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/PathParts.h"
#include "base/Profile.h"

namespace corvella {
namespace {

// Reads numbers the way scanf reads them from a comma-separated value:
// blanks before a number are skipped, a literal must follow at once.
class FieldScanner {
 public:
  explicit FieldScanner(std::string_view text) : text_(text) {}

  bool Literal(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // A signed decimal number, saturated to [lo, hi].
  bool Decimal(long long lo, long long hi, long long& out) {
    SkipBlanks();
    std::size_t p = pos_;
    const bool negative = Sign(p);
    if (p >= text_.size() || !IsDigit(text_[p])) return false;
    unsigned long long v = 0;
    bool overflow = false;
    for (; p < text_.size() && IsDigit(text_[p]); ++p) {
      if (v > (ULLONG_MAX - 9) / 10) overflow = true;
      else v = v * 10 + static_cast<unsigned>(text_[p] - '0');
    }
    pos_ = p;
    long long value;
    if (overflow || v > static_cast<unsigned long long>(LLONG_MAX)) value = negative ? LLONG_MIN : LLONG_MAX;
    else value = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
    out = std::clamp(value, lo, hi);
    return true;
  }

  // An unsigned decimal number as %u reads it: a minus sign wraps around.
  bool Unsigned(unsigned& out) {
    long long v;
    if (!Decimal(LLONG_MIN, LLONG_MAX, v)) return false;
    out = static_cast<unsigned>(static_cast<unsigned long long>(v));
    return true;
  }

  // Hexadecimal with an optional sign and "0x"; any number of digits, the low 32 bits kept.
  bool Hex(std::uint32_t& out) {
    SkipBlanks();
    std::size_t p = pos_;
    const bool negative = Sign(p);
    if (p + 1 < text_.size() && text_[p] == '0' && (text_[p + 1] == 'x' || text_[p + 1] == 'X') &&
        p + 2 < text_.size() && HexValue(text_[p + 2]) >= 0) {
      p += 2;
    }
    if (p >= text_.size() || HexValue(text_[p]) < 0) return false;
    std::uint32_t v = 0;
    for (; p < text_.size() && HexValue(text_[p]) >= 0; ++p) v = (v << 4) | static_cast<std::uint32_t>(HexValue(text_[p]));
    pos_ = p;
    out = negative ? 0u - v : v;
    return true;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || (text_[pos_] >= '\t' && text_[pos_] <= '\r'))) ++pos_;
  }
  bool Sign(std::size_t& p) const {
    if (p < text_.size() && (text_[p] == '-' || text_[p] == '+')) return text_[p++] == '-';
    return false;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool ReadFlag(const Profile& p, const char* name, bool fallback) {
  return p.GetProfileInt(kSettingsSection, name, fallback ? 1 : 0) == 1;
}

// An enumerated value out of its range falls back to its default, so no
// list or table is ever indexed with it.
int ReadInRange(const Profile& p, const char* name, int fallback, int lo, int hi) {
  const int v = p.GetProfileInt(kSettingsSection, name, fallback);
  return v < lo || v > hi ? fallback : v;
}

void WriteFlag(Profile& p, const char* name, bool value) { p.WriteProfileInt(kSettingsSection, name, value ? 1 : 0); }

std::string Hex6(ColorRef c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
  return buf;
}

// Face names are UTF-8 in the store; cut on a character boundary.
std::string CutFaceName(std::string_view name) {
  if (name.size() <= kFaceNameMax) return std::string(name);
  std::size_t n = kFaceNameMax;
  while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
  return std::string(name.substr(0, n));
}

}  // namespace

std::size_t ScanColors(std::string_view text, ColorRef* out, std::size_t max) {
  FieldScanner scan(text);
  std::size_t n = 0;
  while (n < max) {
    if (n > 0 && !scan.Literal(',')) break;
    if (!scan.Hex(out[n])) break;
    ++n;
  }
  return n;
}

std::string FormatFont(const LogFont& f) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%ld", f.height, f.width, f.escapement,
                f.orientation, f.weight, f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                f.clipPrecision, f.quality, static_cast<long>(f.pitchAndFamily));
  return buf;
}

std::optional<LogFont> ParseFont(std::string_view text, std::string_view faceName) {
  // Four longs, the weight, seven byte fields and the last long: a byte field
  // keeps its low eight bits, as storing the scanned int into a byte does.
  long long v[13];
  FieldScanner scan(text);
  for (int i = 0; i < 13; ++i) {
    if (i > 0 && !scan.Literal(',')) return std::nullopt;
    if (!scan.Decimal(INT_MIN, INT_MAX, v[i])) return std::nullopt;
  }
  LogFont f;
  f.height = static_cast<long>(v[0]);
  f.width = static_cast<long>(v[1]);
  f.escapement = static_cast<long>(v[2]);
  f.orientation = static_cast<long>(v[3]);
  f.weight = static_cast<int>(v[4]);
  std::uint8_t* bytes[] = {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision, &f.clipPrecision,
                           &f.quality, &f.pitchAndFamily};
  for (int i = 0; i < 8; ++i) *bytes[i] = static_cast<std::uint8_t>(static_cast<unsigned long long>(v[5 + i]) & 0xFF);
  f.faceName = CutFaceName(faceName);
  return f;
}

std::string FormatColors(const std::array<ColorRef, kColorCount>& c) {
  return Hex6(c[kColorKeyword]) + ',' + Hex6(c[kColorComment]) + ',' + Hex6(c[kColorString]) + ',' +
         Hex6(c[kColorPattern]) + ',' + Hex6(c[kColorSubCall]);
}

std::string FormatEditorColors(const std::array<ColorRef, kColorCount>& c) {
  return Hex6(c[kColorText]) + ',' + Hex6(c[kColorBack]);
}

std::string FormatWindowPos(const WindowPlacement& w) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "%u,%d,%d,%d,%d", w.showState, w.left, w.top, w.right, w.bottom);
  return buf;
}

std::optional<WindowPlacement> ParseWindowPos(std::string_view text) {
  FieldScanner scan(text);
  WindowPlacement w;
  long long v[4];
  if (!scan.Unsigned(w.showState)) return std::nullopt;
  for (long long& x : v) {
    if (!scan.Literal(',') || !scan.Decimal(INT_MIN, INT_MAX, x)) return std::nullopt;
  }
  w.left = static_cast<int>(v[0]);
  w.top = static_cast<int>(v[1]);
  w.right = static_cast<int>(v[2]);
  w.bottom = static_cast<int>(v[3]);
  return w;
}

void LoadSettings(const Profile& p, const std::string& programFolder, const FolderResolver& resolvePerlFolder,
                  Settings& s) {
  s.m_szBatchPath = JoinPath(programFolder, kBatchFileName);
  s.m_szReadmePath = JoinPath(programFolder, kReadmeFileName);
  s.m_szStdinPath = JoinPath(programFolder, kStdinFileName);

  const std::string perl = p.GetProfileString(kSettingsSection, "Perl");
  s.m_szPerlDir = perl.empty() || !resolvePerlFolder ? std::string() : resolvePerlFolder(perl);
  s.m_strArguments = p.GetProfileString(kSettingsSection, "Argument");
  s.AutoIndent = ReadFlag(p, "AutoIndent", true);
  s.Stress = ReadFlag(p, "Stress", true);
  s.UsePerl = ReadInRange(p, "UsePerl", 0, 0, 1);
  s.AutoSave = ReadFlag(p, "AutoSave", false);
  s.Directory = p.GetProfileString(kSettingsSection, "Directory");
  s.InsideMode = ReadFlag(p, "InsideMode", false);
  s.KanjiCode = ReadInRange(p, "KanjiCode", 0, 0, 3);
  s.CRLF = ReadInRange(p, "CRLF", 0, 0, 2);
  // A tab width outside what the settings dialog allows is brought into it.
  s.TabWidth = std::clamp(p.GetProfileInt(kSettingsSection, "TabWidth", 4), 1, 32);
  s.SaveAsSJIS = ReadFlag(p, "SaveAsSJIS", false);
  s.KanjiConvert = ReadFlag(p, "KanjiConvert", false);
}

void LoadEditorFont(const Profile& p, Settings& s) {
  const std::string numbers = p.GetProfileString(kSettingsSection, "Font");
  s.font.reset();
  if (numbers.empty()) return;
  s.font = ParseFont(numbers, p.GetProfileString(kSettingsSection, "Font-Family"));
}

void LoadColors(const Profile& p, Settings& s) {
  ColorRef syntax[5];
  const std::size_t n = ScanColors(p.GetProfileString(kSettingsSection, "Colors"), syntax, 5);
  if (n == 3 || n == 5) std::copy_n(syntax, n, s.colors.begin());
  ColorRef editor[2];
  if (ScanColors(p.GetProfileString(kSettingsSection, "Editor"), editor, 2) == 2) {
    s.colors[kColorText] = editor[0];
    s.colors[kColorBack] = editor[1];
  }
}

void LoadWindowPlacement(const Profile& p, Settings& s) {
  const std::string text = p.GetProfileString(kSettingsSection, "WindowPos");
  s.windowPos = text.empty() ? std::nullopt : ParseWindowPos(text);
}

int LoadOpenMode(const Profile& p) { return ReadInRange(p, "OpenMode", 0, 0, 2); }

void SaveSettings(Profile& p, const Settings& s, const std::optional<WindowPlacement>& placement) {
  if (s.font) {
    p.WriteProfileString(kSettingsSection, "Font", FormatFont(*s.font));
    p.WriteProfileString(kSettingsSection, "Font-Family", CutFaceName(s.font->faceName));
  }
  p.WriteProfileString(kSettingsSection, "Colors", FormatColors(s.colors));
  p.WriteProfileString(kSettingsSection, "Editor", FormatEditorColors(s.colors));
  p.WriteProfileString(kSettingsSection, "Perl", s.m_szPerlDir);
  p.WriteProfileString(kSettingsSection, "Argument", s.m_strArguments);
  WriteFlag(p, "AutoIndent", s.AutoIndent);
  WriteFlag(p, "Stress", s.Stress);
  p.WriteProfileInt(kSettingsSection, "UsePerl", s.UsePerl);
  WriteFlag(p, "AutoSave", s.AutoSave);
  p.WriteProfileString(kSettingsSection, "Directory", s.Directory);
  WriteFlag(p, "InsideMode", s.InsideMode);
  p.WriteProfileInt(kSettingsSection, "KanjiCode", s.KanjiCode);
  p.WriteProfileInt(kSettingsSection, "CRLF", s.CRLF);
  p.WriteProfileInt(kSettingsSection, "TabWidth", s.TabWidth);
  WriteFlag(p, "KanjiConvert", s.KanjiConvert);
  WriteFlag(p, "SaveAsSJIS", s.SaveAsSJIS);
  if (placement) {
    WindowPlacement w = *placement;
    if (w.showState == kShowMinimized) w.showState = kShowNormal;
    p.WriteProfileString(kSettingsSection, "WindowPos", FormatWindowPos(w));
  }
}

void SaveOpenMode(Profile& p, int openMode) { p.WriteProfileInt(kSettingsSection, "OpenMode", openMode); }

}  // namespace corvella
