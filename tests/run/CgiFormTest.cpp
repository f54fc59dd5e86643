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

TEST(CgiForm, PostAndGetCallsFollowTheRules) {
  using Env = std::vector<std::pair<std::string, std::string>>;
  const CgiCall post = PlanCgiCall(0, "q=a+b", "x y");
  EXPECT_EQ(post.environment, (Env{{"CONTENT_LENGTH", "5"}, {"REQUEST_METHOD", "POST"}, {"QUERY_STRING", "x y"}}));
  EXPECT_TRUE(post.hasInput && post.input == "q=a+b" && post.withArguments);
  EXPECT_FALSE(PlanCgiCall(0, "", "").withArguments);

  const CgiCall get = PlanCgiCall(1, "q=1", "ignored");
  EXPECT_EQ(get.environment, (Env{{"QUERY_STRING", "q=1"}, {"REQUEST_METHOD", "GET"}}));
  EXPECT_FALSE(get.hasInput || get.withArguments);
  // No form data: the arguments stand in for the query, on the command line too.
  const CgiCall bare = PlanCgiCall(1, "", "a=b");
  EXPECT_EQ(bare.environment.front().second, "a=b");
  EXPECT_TRUE(bare.withArguments);
}

}  // namespace
