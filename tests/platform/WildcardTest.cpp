#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vexa::platform {
namespace {

struct Case {
  std::u16string_view pattern;
  std::u16string_view name;
  bool matches;
};

void ExpectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches)
        << "pattern of " << c.pattern.size() << " units, case #" << (&c - cases.begin());
  }
}

TEST(WildcardTest, StarDotStarMatchesEveryNameAlsoWithoutADot) {
  ExpectCases({{u"*.*", u"speed000.bmp", true},
               {u"*.*", u"README", true},
               {u"*.*", u"a.b.c", true},
               {u"*.*", u".hidden", true},
               {u"*", u"anything.at.all", true},
               {u"*", u"x", true}});
}

TEST(WildcardTest, NameDotStarAlsoMatchesTheNameWithoutExtension) {
  ExpectCases({{u"speed*.*", u"speed", true},
               {u"speed*.*", u"speed000.bmp", true},
               {u"speed*.*", u"SPEED12.JPG", true},
               {u"speed*.*", u"spee.bmp", false},
               {u"speed*.*", u"course000.bmp", false},
               {u"screenshot.*", u"screenshot", true},
               {u"screenshot.*", u"screenshot.png", true},
               {u"screenshot.*", u"screenshots", false},
               {u"screenshot.*", u"myscreenshot.png", false}});
}

TEST(WildcardTest, ExtensionPatternsDoNotMatchLongerExtensions) {
  ExpectCases({{u"*.lnk", u"a.lnk", true},
               {u"*.lnk", u"Navi.LNK", true},
               {u"*.lnk", u"a.lnk2", false},
               {u"*.lnk", u"lnk", false},
               {u"*.lnk", u"a.lnk.bak", false},
               {u"*.lnk", u"a.b.lnk", true}});
}

TEST(WildcardTest, QuestionMarkMatchesExactlyOneCharacter) {
  ExpectCases({{u"speed00?.bmp", u"speed001.bmp", true},
               {u"speed00?.bmp", u"speed00.bmp", false},
               {u"speed00?.bmp", u"speed0012.bmp", false},
               {u"a?", u"a", false},
               {u"a?", u"ab", true},
               {u"?", u"", false},
               // A character beyond the BMP is one character, two UTF-16 units.
               {u"a?b", u"a\U0001F600b", true},
               {u"a??b", u"a\U0001F600b", false}});
}

TEST(WildcardTest, LettersMatchWithoutRegardToCase) {
  ExpectCases({{u"VexaDeck.ini", u"VEXADECK.INI", true},
               {u"*.BMP", u"frame.bmp", true},
               {u"Ä*", u"äpfel", true},
               {u"노래*.mp3", u"노래01.MP3", true},
               {u"VexaDeck.ini", u"VexaDeck.in", false}});
}

TEST(WildcardTest, StarsBacktrackAcrossRepeatedText) {
  ExpectCases({{u"*ab*ab", u"xabyabab", true},
               {u"*a*b*c", u"aXbYcZ", false},
               {u"**.*", u"x", true},
               {u"*.bmp", u".bmp.bmp", true},
               {u"", u"", true},
               {u"", u"a", false}});
}

TEST(WildcardTest, OnlyStarAndQuestionMarkAreWildcards) {
  EXPECT_TRUE(HasWildcards(u"speed*.*"));
  EXPECT_TRUE(HasWildcards(u"a?"));
  EXPECT_FALSE(HasWildcards(u"VexaDeck.ini"));
  EXPECT_FALSE(HasWildcards(u"[ab].txt"));
  EXPECT_TRUE(MatchesWildcard(u"[ab].txt", u"[AB].TXT"));
  EXPECT_FALSE(MatchesWildcard(u"[ab].txt", u"a.txt"));
}

}  // namespace
}  // namespace vexa::platform
