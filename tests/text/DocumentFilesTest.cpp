// The Save As name proposal and the conversion of file-type filter strings.
#include "text/DocumentFiles.h"

#include <gtest/gtest.h>

using namespace corvella;

TEST(DocumentFiles, ProposedNameStopsAtTheFirstAwkwardCharacter) {
  EXPECT_EQ(ProposedSaveAsName("my script", ".pl"), "my.pl");
  EXPECT_EQ(ProposedSaveAsName("Plumo1", ".pl"), "Plumo1.pl");
  EXPECT_EQ(ProposedSaveAsName("a#b c", ".pl"), "a.pl");
  EXPECT_EQ(ProposedSaveAsName("50%;x", ".pl"), "50.pl");
  EXPECT_EQ(ProposedSaveAsName("dir/name", ".pl"), "dir.pl");
  EXPECT_EQ(ProposedSaveAsName("dir\\name", ".pl"), "dir.pl");
  EXPECT_EQ(ProposedSaveAsName("x;y", ".pl"), "x.pl");
  EXPECT_EQ(ProposedSaveAsName(" lead", ".pl"), ".pl");
  // UTF-8 titles are cut by bytes; no multi-byte sequence holds an ASCII byte.
  EXPECT_EQ(ProposedSaveAsName("日本 語", ".pl"), "日本.pl");
  EXPECT_EQ(ProposedSaveAsName("untitled", ""), "untitled");
}

TEST(DocumentFiles, FilterPairsBecomeNameFilters) {
  const auto filters = FileDialogNameFilters(
      "Perl Script ファイル (*.pl;*.cgi;*.pm)|*.pl;*.cgi;*.pm|"
      "すべてのファイル (*.*)|*.*||");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0], "Perl Script ファイル (*.pl *.cgi *.pm)");
  EXPECT_EQ(filters[1], "すべてのファイル (*)");

  // A caption without its own parentheses, blanks around patterns, empty
  // patterns, no closing "||", and nothing after the last caption.
  const auto loose = FileDialogNameFilters("Text| *.txt ;;*.log|Any|");
  ASSERT_EQ(loose.size(), 2u);
  EXPECT_EQ(loose[0], "Text (*.txt *.log)");
  EXPECT_EQ(loose[1], "Any (*)");
  EXPECT_TRUE(FileDialogNameFilters("").empty());
  EXPECT_TRUE(FileDialogNameFilters("||").empty());
  EXPECT_TRUE(FileDialogNameFilters("Caption only").empty());
}
