// The Settings record: every value of section "Settings", its default, how it is read and written.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvella {

class Profile;

inline constexpr const char* kSettingsSection = "Settings";
// The background syntax check's check item (0 off, 1 on), kept apart from
// the Settings record, which only the frame's load and save handle.
inline constexpr const char* kBackgroundCheckEntry = "BackgroundCheck";

// 32 bits, red in the low byte, green next, blue third (00BBGGRR).
using ColorRef = std::uint32_t;
inline constexpr ColorRef kAutomaticColor = 0xFF000000;

// Indices of the seven editor colours, in the order the Settings store them.
enum ColorIndex : int {
  kColorKeyword = 0,
  kColorComment,
  kColorString,
  kColorPattern,
  kColorSubCall,
  kColorText,
  kColorBack,
  kColorCount
};
inline constexpr std::array<ColorRef, kColorCount> kDefaultColors = {
    0xFF0000, 0x0000C0, 0x808000, 0xFF00FF, 0x008000, 0x000000, 0xFFFFFF};

// The numeric fields of the editor font, in the order the "Font" value holds them.
struct LogFont {
  long height = 0, width = 0, escapement = 0, orientation = 0;
  int weight = 0;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  std::uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string faceName;  // at most kFaceNameMax bytes
  bool operator==(const LogFont&) const = default;
};
inline constexpr std::size_t kFaceNameMax = 31;

// Placement of the main window: show state and the normal (restored) rectangle.
struct WindowPlacement {
  unsigned showState = 1;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const WindowPlacement&) const = default;
};
inline constexpr unsigned kShowNormal = 1;
inline constexpr unsigned kShowMinimized = 2;
inline constexpr unsigned kShowMaximized = 3;

// Names of the files the program keeps in its folder.
inline constexpr const char* kBatchFileName = "do_perl.sh";
inline constexpr const char* kPifFileName = "do_perl.pif";
inline constexpr const char* kReadmeFileName = "plumo.html";
inline constexpr const char* kStdinFileName = "_stdin.txt";

// What the main frame (and, for OpenMode and KanjiConvert, the application)
// holds of the Settings. Member names follow the stored value names.
struct Settings {
  // Paths computed from the program folder when the Settings are loaded.
  std::string m_szBatchPath, m_szReadmePath, m_szStdinPath;
  // The Perl folder in its canonical form; empty when none is set or the
  // stored folder does not exist.
  std::string m_szPerlDir;
  std::string m_strArguments;  // "Argument"
  bool AutoIndent = true;
  bool Stress = true;
  int UsePerl = 0;  // 0 perl, 1 jperl
  bool AutoSave = false;
  std::string Directory;
  bool InsideMode = false;
  int KanjiCode = 0;  // encoding code 0..3
  int CRLF = 0;       // newline code 0..2
  int TabWidth = 4;   // 1..32
  bool SaveAsSJIS = false;
  bool KanjiConvert = false;
  int OpenMode = 0;  // 0 empty file, 1 most recent file, 2 nothing

  std::optional<LogFont> font;  // none: the default editor font
  std::array<ColorRef, kColorCount> colors = kDefaultColors;
  std::optional<WindowPlacement> windowPos;  // none: keep the default placement
};

// Turns the stored Perl folder into the one every run uses; empty on failure.
using FolderResolver = std::function<std::string(const std::string&)>;

// Reads, in this order: Perl, Argument, AutoIndent, Stress, UsePerl, AutoSave,
// Directory, InsideMode, KanjiCode, CRLF, TabWidth, SaveAsSJIS, KanjiConvert;
// computes the three program-folder paths. Font, colours and the window
// placement have their own readers below, as the frame reads them later.
void LoadSettings(const Profile& profile, const std::string& programFolder,
                  const FolderResolver& resolvePerlFolder, Settings& s);
void LoadEditorFont(const Profile& profile, Settings& s);
void LoadColors(const Profile& profile, Settings& s);
void LoadWindowPlacement(const Profile& profile, Settings& s);
int LoadOpenMode(const Profile& profile);

// Writes Font and Font-Family (when a font is set), Colors, Editor, Perl,
// Argument, AutoIndent, Stress, UsePerl, AutoSave, Directory, InsideMode,
// KanjiCode, CRLF, TabWidth, KanjiConvert, SaveAsSJIS, then WindowPos.
// `placement` is the window's current one; a minimised window is stored
// as shown normally.
void SaveSettings(Profile& profile, const Settings& s, const std::optional<WindowPlacement>& placement);
void SaveOpenMode(Profile& profile, int openMode);

// The composite value formats. Parsing counts converted fields the way a
// scanf of the written format would: blanks before a number are skipped,
// text after the last expected field is ignored.
std::string FormatFont(const LogFont& font);
std::optional<LogFont> ParseFont(std::string_view text, std::string_view faceName);
std::string FormatColors(const std::array<ColorRef, kColorCount>& colors);  // the five syntax colours
std::string FormatEditorColors(const std::array<ColorRef, kColorCount>& colors);
std::string FormatWindowPos(const WindowPlacement& placement);
std::optional<WindowPlacement> ParseWindowPos(std::string_view text);
// Converted hexadecimal fields of a comma-separated colour list, at most `max`.
std::size_t ScanColors(std::string_view text, ColorRef* out, std::size_t max);

}  // namespace corvella
