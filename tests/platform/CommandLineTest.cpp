#include "platform/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vexa::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SplitCommandLine, BlanksAndTabsSeparateAndTheFirstTokenIsAnOrdinaryArgument) {
  EXPECT_THAT(SplitCommandLine(u"  /play \t  3  "), ElementsAre(u"/play", u"3"));
  EXPECT_THAT(SplitCommandLine(u""), IsEmpty());
  EXPECT_THAT(SplitCommandLine(u" \t "), IsEmpty());
  // The first token follows the same backslash rules as every other.
  EXPECT_THAT(SplitCommandLine(u"a\\\"b"), ElementsAre(u"a\"b"));
}

TEST(SplitCommandLine, QuotesGroupBlanksAndJoinWithNeighbouringText) {
  EXPECT_THAT(SplitCommandLine(u"\"\\Storage Card\\Music\\a.m3u\" /x"),
              ElementsAre(u"\\Storage Card\\Music\\a.m3u", u"/x"));
  EXPECT_THAT(SplitCommandLine(u"a\"b c\"d e"), ElementsAre(u"ab cd", u"e"));
  EXPECT_THAT(SplitCommandLine(u"\"\" x \"\""), ElementsAre(u"", u"x", u""));
  // A quote left open runs to the end.
  EXPECT_THAT(SplitCommandLine(u"\"open ended  "), ElementsAre(u"open ended  "));
}

TEST(SplitCommandLine, BackslashesAreLiteralUnlessAQuoteFollows) {
  EXPECT_THAT(SplitCommandLine(u"\\\\server\\share\\ c:\\dir\\"),
              ElementsAre(u"\\\\server\\share\\", u"c:\\dir\\"));
  // 2n backslashes + quote: n backslashes, the quote opens or closes.
  EXPECT_THAT(SplitCommandLine(u"\"c:\\dir\\\\\" next"), ElementsAre(u"c:\\dir\\", u"next"));
  EXPECT_THAT(SplitCommandLine(u"a\\\\\\\\\"b c\""), ElementsAre(u"a\\\\b c"));
  // 2n+1 backslashes + quote: n backslashes and a literal quote.
  EXPECT_THAT(SplitCommandLine(u"a\\\\\\\"b c"), ElementsAre(u"a\\\"b", u"c"));
  EXPECT_THAT(SplitCommandLine(u"\"say \\\"hi\\\"\""), ElementsAre(u"say \"hi\""));
}

TEST(SplitCommandLine, DoubledQuoteInsideQuotesIsALiteralQuoteAndQuotingGoesOn) {
  EXPECT_THAT(SplitCommandLine(u"\"a \"\" b\" c"), ElementsAre(u"a \" b", u"c"));
  // Outside quotes "" is an empty quoted part, not a quote.
  EXPECT_THAT(SplitCommandLine(u"a\"\"b"), ElementsAre(u"ab"));
  EXPECT_THAT(SplitCommandLine(u"\"\"\"\""), ElementsAre(u"\""));
}

TEST(JoinCommandLine, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(JoinCommandLine({u"/play", u"c:\\dir\\", u"\\Storage Card\\a b.mp3", u""}),
            u"/play c:\\dir\\ \"\\Storage Card\\a b.mp3\" \"\"");
  EXPECT_EQ(JoinCommandLine({}), u"");
  EXPECT_EQ(JoinCommandLine({u"end\\ here\\"}), u"\"end\\ here\\\\\"");
}

TEST(JoinCommandLine, SplittingTheJoinedLineGivesTheArgumentsBack) {
  const std::vector<std::vector<std::u16string>> cases = {
      {u""},
      {u"", u""},
      {u"plain", u"with blank", u"\ttab"},
      {u"quote\"inside", u"\"", u"\"\"", u"ends with quote\""},
      {u"back\\\\slash\\", u"\\\"", u"\\\\\"x y\\\\", u"trailing \\\\"},
      {u"\\Storage Card\\Music\\Best of.m3u", u"/loop", u"한국어 이름"},
  };
  for (const auto& arguments : cases) {
    EXPECT_EQ(SplitCommandLine(JoinCommandLine(arguments)), arguments);
  }
}

}  // namespace
}  // namespace vexa::platform
