// The form data of an emulated CGI call.
#include "run/CgiForm.h"

#include <random>

#include <gtest/gtest.h>

using namespace corvella;

namespace {

TEST(CgiForm, QueryIsFormEncodedShiftJisBytes) {
  EXPECT_EQ(FormQuery({{"q", "a b&c"}, {"", "left out"}, {"\x96\xBC", "x=1+%\r\n_@.-*"}}),
            "q=a+b%26c&%96%BC=x%3D1%2B%25%0D%0A_@.-*");
  EXPECT_EQ(FormQuery({}), "");
}

// Whatever the user typed comes back from the stored form as it was,
// including text that already looks stored.
TEST(CgiForm, StoredFormReadsBackAsTyped) {
  EXPECT_EQ(StoreFormText("a&b <i>\"x\"\r\nnext"), "a&amp;b &lt;i&gt;&quot;x&quot;<br>next");
  const std::string alphabet = "&<>\"\r\nabr;amplgtquot";
  std::mt19937 random(3);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (std::size_t n = random() % 12; n > 0; --n) text += alphabet[random() % alphabet.size()];
    ASSERT_EQ(LoadFormText(StoreFormText(text)), text) << text;
  }
}

}  // namespace
