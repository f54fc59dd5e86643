// The default applications list: our desktop id put first and taken out again, every other byte left as it was.
#include "system/MimeAppsList.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

constexpr const char* kOurs = "plumo_file.desktop";

}  // namespace

TEST(MimeAppsList, OnlyTheTypesLinesChange) {
  // CR LF lines, blanks around '=', the group twice, the type twice, no last line end.
  const std::string text =
      "# top\r\n[Default Applications]\r\ntext/plain = editor.desktop\r\n\r\n# about Perl\r\n"
      "[Default Applications]\r\napplication/x-perl = a.desktop;b.desktop\r\napplication/x-perl=c.desktop;\r\n"
      "[Removed Associations]\r\napplication/x-perl=plumo_file.desktop;";
  MimeAppsList list(text);
  EXPECT_EQ(list.Default("application/x-perl"), "a.desktop");
  EXPECT_EQ(list.Default("text/plain"), "editor.desktop");

  list.RemoveDefault("text/plain", kOurs);
  EXPECT_EQ(list.Text(), text);

  list.SetDefault("application/x-perl", kOurs);
  const std::string set =
      "# top\r\n[Default Applications]\r\ntext/plain = editor.desktop\r\n\r\n# about Perl\r\n"
      "[Default Applications]\r\napplication/x-perl=plumo_file.desktop;a.desktop;b.desktop;\r\n"
      "[Removed Associations]\r\napplication/x-perl=plumo_file.desktop;";
  EXPECT_EQ(list.Text(), set);
  EXPECT_EQ(list.Default("application/x-perl"), kOurs);
  list.SetDefault("application/x-perl", kOurs);
  EXPECT_EQ(list.Text(), set);

  // The other program's default comes back; the removed association stays.
  list.RemoveDefault("application/x-perl", kOurs);
  EXPECT_EQ(MimeAppsList(list.Text()).Default("application/x-perl"), "a.desktop");
  EXPECT_NE(list.Text().find("\r\napplication/x-perl=a.desktop;b.desktop;\r\n[Removed"), std::string::npos);
  EXPECT_NE(list.Text().find("]\r\napplication/x-perl=plumo_file.desktop;"), std::string::npos);
}

TEST(MimeAppsList, ANewTypeGoesAfterTheGroupsLastEntry) {
  const std::string text =
      "[Added Associations]\nx/y=z.desktop;\n\n[Default Applications]\ntext/html=b.desktop;\n\n# next\n[Other]\nk=v";
  MimeAppsList list(text);
  list.SetDefault("application/x-cgi", kOurs);
  EXPECT_EQ(list.Text(),
            "[Added Associations]\nx/y=z.desktop;\n\n[Default Applications]\ntext/html=b.desktop;\n"
            "application/x-cgi=plumo_file.desktop;\n\n# next\n[Other]\nk=v");
  list.RemoveDefault("application/x-cgi", kOurs);
  EXPECT_EQ(list.Text(), text);

  // Without the group, it is added at the end (a last line gets its line end).
  MimeAppsList other("[Other]\nk=v");
  other.SetDefault("application/x-cgi", kOurs);
  EXPECT_EQ(other.Text(), "[Other]\nk=v\n\n[Default Applications]\napplication/x-cgi=plumo_file.desktop;\n");
  MimeAppsList empty;
  empty.SetDefault("application/x-cgi", kOurs);
  EXPECT_EQ(empty.Text(), "[Default Applications]\napplication/x-cgi=plumo_file.desktop;\n");
}
