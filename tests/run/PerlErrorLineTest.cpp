// Where a line of Perl's messages points.
#include "run/PerlErrorLine.h"

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(PerlErrorLine, FindsTheFileAndLineOfPerlsMessages) {
  using L = PerlErrorLocation;
  EXPECT_EQ(ParsePerlErrorLine("Died at t.pl line 3."), (L{"t.pl", 3}));
  EXPECT_EQ(ParsePerlErrorLine("readline() on closed filehandle at my file.pl line 12, <FH> line 4.\r"),
            (L{"my file.pl", 12}));
  EXPECT_EQ(ParsePerlErrorLine("syntax error at /tmp/x.pl line 7, near \"}\""), (L{"/tmp/x.pl", 7}));
  // " at " inside the message does not count.
  EXPECT_EQ(ParsePerlErrorLine("Useless use of a constant (\"look at me\") in void context at a.pl line 1."),
            (L{"a.pl", 1}));
  EXPECT_EQ(ParsePerlErrorLine("hello world"), std::nullopt);
  EXPECT_EQ(ParsePerlErrorLine("look at this line 12x"), std::nullopt);
  EXPECT_EQ(ParsePerlErrorLine(" at  line 5."), std::nullopt);
}

}  // namespace
