// The Settings record: defaults, flag and raw readings, composite formats, write order.
#include "base/Settings.h"

#include <vector>

#include <gtest/gtest.h>

#include "base/Profile.h"

using namespace corvella;

namespace {

// Remembers the order of writes, to check the order values are stored in.
class RecordingProfile : public MemoryProfile {
 public:
  void Write(std::string_view section, std::string_view entry, std::string_view value) override {
    order.emplace_back(entry);
    MemoryProfile::Write(section, entry, value);
  }
  std::vector<std::string> order;
};

Settings LoadAll(const Profile& p, const FolderResolver& resolve = {}) {
  Settings s;
  LoadSettings(p, "/opt/corvella", resolve, s);
  LoadEditorFont(p, s);
  LoadColors(p, s);
  LoadWindowPlacement(p, s);
  return s;
}

TEST(Settings, EmptyStoreGivesTheDefaults) {
  MemoryProfile p;
  const Settings s = LoadAll(p, [](const std::string&) { return std::string("unexpected"); });
  EXPECT_EQ(s.m_szPerlDir, "");  // nothing stored: the resolver is not asked
  EXPECT_EQ(s.m_szBatchPath, "/opt/corvella/do_perl.sh");
  EXPECT_EQ(s.m_szReadmePath, "/opt/corvella/plumo.html");
  EXPECT_EQ(s.m_szStdinPath, "/opt/corvella/_stdin.txt");
  EXPECT_TRUE(s.AutoIndent);
  EXPECT_TRUE(s.Stress);
  EXPECT_FALSE(s.AutoSave || s.InsideMode || s.SaveAsSJIS || s.KanjiConvert);
  EXPECT_EQ(s.TabWidth, 4);
  EXPECT_EQ(s.KanjiCode, 0);
  EXPECT_EQ(s.CRLF, 0);
  EXPECT_EQ(s.UsePerl, 0);
  EXPECT_FALSE(s.font.has_value());
  EXPECT_FALSE(s.windowPos.has_value());
  EXPECT_EQ(s.colors, kDefaultColors);
  EXPECT_EQ(LoadOpenMode(p), 0);
  EXPECT_EQ(FormatColors(s.colors), "FF0000,0000C0,808000,FF00FF,008000");
  EXPECT_EQ(FormatEditorColors(s.colors), "000000,FFFFFF");
}

TEST(Settings, FlagsAreOnOnlyForExactlyOneRawValuesAsStored) {
  MemoryProfile p;
  p.WriteProfileInt(kSettingsSection, "AutoIndent", 2);
  p.WriteProfileInt(kSettingsSection, "Stress", -1);
  p.WriteProfileInt(kSettingsSection, "AutoSave", 1);
  p.WriteProfileString(kSettingsSection, "InsideMode", "yes");
  p.WriteProfileInt(kSettingsSection, "KanjiCode", 3);
  p.WriteProfileInt(kSettingsSection, "CRLF", 2);
  p.WriteProfileInt(kSettingsSection, "UsePerl", 1);
  p.WriteProfileInt(kSettingsSection, "TabWidth", 8);
  p.WriteProfileString(kSettingsSection, "Argument", "-n input.txt");
  p.WriteProfileString(kSettingsSection, "Directory", "/home/u/perl");
  p.WriteProfileString(kSettingsSection, "Perl", "/usr/local/../bin");
  const Settings s = LoadAll(p, [](const std::string& in) { return in == "/usr/local/../bin" ? "/usr/bin" : ""; });
  EXPECT_FALSE(s.AutoIndent);
  EXPECT_FALSE(s.Stress);
  EXPECT_TRUE(s.AutoSave);
  EXPECT_FALSE(s.InsideMode);
  EXPECT_EQ(s.KanjiCode, 3);
  EXPECT_EQ(s.CRLF, 2);
  EXPECT_EQ(s.UsePerl, 1);
  EXPECT_EQ(s.TabWidth, 8);
  EXPECT_EQ(s.m_strArguments, "-n input.txt");
  EXPECT_EQ(s.Directory, "/home/u/perl");
  EXPECT_EQ(s.m_szPerlDir, "/usr/bin");
}

TEST(Settings, OutOfRangeValuesNeverLeaveTheirRange) {
  MemoryProfile p;
  p.WriteProfileInt(kSettingsSection, "KanjiCode", 4);
  p.WriteProfileInt(kSettingsSection, "CRLF", -1);
  p.WriteProfileInt(kSettingsSection, "UsePerl", 7);
  p.WriteProfileInt(kSettingsSection, "TabWidth", 0);
  p.WriteProfileInt(kSettingsSection, "OpenMode", 3);
  Settings s = LoadAll(p);
  EXPECT_EQ(s.KanjiCode, 0);
  EXPECT_EQ(s.CRLF, 0);
  EXPECT_EQ(s.UsePerl, 0);
  EXPECT_EQ(s.TabWidth, 1);
  EXPECT_EQ(LoadOpenMode(p), 0);
  p.WriteProfileInt(kSettingsSection, "TabWidth", 1000);
  p.WriteProfileInt(kSettingsSection, "OpenMode", 2);
  s = LoadAll(p);
  EXPECT_EQ(s.TabWidth, 32);
  EXPECT_EQ(LoadOpenMode(p), 2);
}

TEST(Settings, ColoursAcceptThreeOrFiveValues) {
  MemoryProfile p;
  p.WriteProfileString(kSettingsSection, "Colors", "000001,000002,000003");
  Settings s = LoadAll(p);
  EXPECT_EQ(s.colors[kColorKeyword], 1u);
  EXPECT_EQ(s.colors[kColorComment], 2u);
  EXPECT_EQ(s.colors[kColorString], 3u);
  EXPECT_EQ(s.colors[kColorPattern], kDefaultColors[kColorPattern]);
  EXPECT_EQ(s.colors[kColorSubCall], kDefaultColors[kColorSubCall]);

  p.WriteProfileString(kSettingsSection, "Colors", "000001,000002,000003,000004");
  EXPECT_EQ(LoadAll(p).colors, kDefaultColors);

  // Blanks after a comma are read; text after the last field is ignored;
  // the automatic colour has eight digits and still reads back.
  p.WriteProfileString(kSettingsSection, "Colors", "abcdef, 1,2,3,FF000000,zz");
  p.WriteProfileString(kSettingsSection, "Editor", "102030,405060,708090");
  s = LoadAll(p);
  EXPECT_EQ(s.colors[kColorKeyword], 0xABCDEFu);
  EXPECT_EQ(s.colors[kColorSubCall], kAutomaticColor);
  EXPECT_EQ(s.colors[kColorText], 0x102030u);
  EXPECT_EQ(s.colors[kColorBack], 0x405060u);
  EXPECT_EQ(FormatColors(s.colors), "ABCDEF,000001,000002,000003,FF000000");

  p.WriteProfileString(kSettingsSection, "Editor", "102030");
  p.WriteProfileString(kSettingsSection, "Colors", "1 ,2,3");  // a blank before the comma stops the scan
  s = LoadAll(p);
  EXPECT_EQ(s.colors, kDefaultColors);
}

TEST(Settings, FontNeedsExactlyThirteenNumbers) {
  LogFont f;
  f.height = -19;
  f.weight = 400;
  f.charSet = 128;
  f.pitchAndFamily = 49;
  f.quality = 255;
  f.faceName = "IPAGothic";
  EXPECT_EQ(FormatFont(f), "-19,0,0,0,400,0,0,0,128,0,0,255,49");
  EXPECT_EQ(ParseFont(FormatFont(f), "IPAGothic"), f);

  MemoryProfile p;
  p.WriteProfileString(kSettingsSection, "Font", "-19,0,0,0,400,0,0,0,128,0,0,255");
  p.WriteProfileString(kSettingsSection, "Font-Family", "IPAGothic");
  EXPECT_FALSE(LoadAll(p).font.has_value());
  p.WriteProfileString(kSettingsSection, "Font", "-19, 0,0,0,700,1,0,0,384,0,0,0,49,junk");
  const Settings s = LoadAll(p);
  ASSERT_TRUE(s.font.has_value());
  EXPECT_EQ(s.font->weight, 700);
  EXPECT_EQ(s.font->italic, 1);
  EXPECT_EQ(s.font->charSet, 128);  // a byte field keeps its low eight bits
  EXPECT_EQ(s.font->faceName, "IPAGothic");

  // A long face name is cut to 31 bytes without splitting a UTF-8 character.
  const std::string longName = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e Very Long Monospaced Face Name";
  const auto cut = ParseFont("1,2,3,4,5,6,7,8,9,10,11,12,13", longName);
  ASSERT_TRUE(cut.has_value());
  EXPECT_LE(cut->faceName.size(), kFaceNameMax);
  EXPECT_EQ(cut->faceName, longName.substr(0, 31));
  EXPECT_EQ(ParseFont("1,2,3,4,5,6,7,8,9,10,11,12,13", std::string(29, 'a') + "\xe6\x97\xa5")->faceName.size(), 29u);
}

TEST(Settings, WindowPlacementNeedsFiveNumbers) {
  MemoryProfile p;
  p.WriteProfileString(kSettingsSection, "WindowPos", "3,22,22,822");
  EXPECT_FALSE(LoadAll(p).windowPos.has_value());
  p.WriteProfileString(kSettingsSection, "WindowPos", "3,22,22,822,622");
  const auto w = LoadAll(p).windowPos;
  ASSERT_TRUE(w.has_value());
  EXPECT_EQ(*w, (WindowPlacement{3, 22, 22, 822, 622}));
  EXPECT_EQ(FormatWindowPos(*w), "3,22,22,822,622");
  EXPECT_EQ(ParseWindowPos("1,-8,-8,1288,808"), (WindowPlacement{1, -8, -8, 1288, 808}));
}

TEST(Settings, SaveWritesEveryValueInOrderAndReadsBack) {
  RecordingProfile p;
  Settings s;
  s.m_szPerlDir = "/usr/bin";
  s.m_strArguments = "a b";
  s.AutoIndent = false;
  s.UsePerl = 1;
  s.KanjiCode = 2;
  s.CRLF = 1;
  s.TabWidth = 6;
  s.SaveAsSJIS = true;
  s.KanjiConvert = true;
  s.colors[kColorPattern] = kAutomaticColor;
  s.font = ParseFont("-19,0,0,0,400,0,0,0,128,0,0,0,49", "IPAGothic");
  SaveSettings(p, s, WindowPlacement{kShowMinimized, 10, 20, 30, 40});
  const std::vector<std::string> expected = {"Font",     "Font-Family", "Colors",   "Editor",     "Perl",
                                             "Argument", "AutoIndent",  "Stress",   "UsePerl",    "AutoSave",
                                             "Directory", "InsideMode", "KanjiCode", "CRLF",      "TabWidth",
                                             "KanjiConvert", "SaveAsSJIS", "WindowPos"};
  EXPECT_EQ(p.order, expected);
  EXPECT_EQ(p.GetProfileString(kSettingsSection, "WindowPos"), "1,10,20,30,40");  // minimised is stored as normal
  EXPECT_EQ(p.GetProfileString(kSettingsSection, "Colors"), "FF0000,0000C0,808000,FF000000,008000");

  const Settings back = LoadAll(p, [](const std::string& d) { return d; });
  EXPECT_EQ(back.m_szPerlDir, s.m_szPerlDir);
  EXPECT_EQ(back.m_strArguments, s.m_strArguments);
  EXPECT_EQ(back.AutoIndent, s.AutoIndent);
  EXPECT_EQ(back.UsePerl, 1);
  EXPECT_EQ(back.KanjiCode, 2);
  EXPECT_EQ(back.CRLF, 1);
  EXPECT_EQ(back.TabWidth, 6);
  EXPECT_TRUE(back.SaveAsSJIS && back.KanjiConvert);
  EXPECT_EQ(back.colors, s.colors);
  EXPECT_EQ(back.font, s.font);
  EXPECT_EQ(back.windowPos, (WindowPlacement{kShowNormal, 10, 20, 30, 40}));

  SaveOpenMode(p, 1);
  EXPECT_EQ(LoadOpenMode(p), 1);
}

}  // namespace
