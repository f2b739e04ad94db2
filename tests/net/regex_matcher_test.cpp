#include "net/regex_matcher.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tarvelin {
namespace {

TEST(RegexMatcher, GroupsAndMissingMatches) {
  RegexMatcher m;
  ASSERT_TRUE(m.Execute("o0*(\\d+)", "o0012345"));
  EXPECT_EQ(m.SubmatchText(1, 1), "12345");
  EXPECT_EQ(m.SubmatchText(2, 1), "");
  EXPECT_EQ(m.SubmatchText(1, 2), "");
  EXPECT_EQ(m.SubmatchText(0, 1), "");
}

TEST(RegexMatcher, MatchingRules) {
  struct Case {
    const char* pattern;
    const char* subject;
    int matches;
    const char* firstGroup;
  };
  const Case cases[] = {
      {"(A+)", "xaAa", 1, "aAa"},          // letters without regard to case
      {"^(\\w+)$", "one\ntwo", 2, "one"},  // ^ and $ at line breaks
      {"a(.)b", "a\nb a\rb", 1, "\r"},     // "." stops only at a line feed
      {"<(.+?)>", "<a><b>", 2, "a"},       // lazy quantifier
      {"(\\w+)",
       "ab\xD6\xD0"
       "cd",
       2, "ab"},  // Chinese is not a word character
      {"(\\d+)",
       "1\xA3\xB1"
       "2",
       2, "1"},                            // full-width digit is not \d
      {"(.)", "\xD6\xD0", 1, "\xD6\xD0"},  // one character, not one byte
      {"x*", "ab", 3, ""},                 // empty matches advance
  };
  for (const auto& c : cases) {
    RegexMatcher m;
    ASSERT_TRUE(m.Execute(c.pattern, c.subject)) << c.pattern;
    EXPECT_EQ(m.MatchCount(), c.matches) << c.pattern;
    if (c.firstGroup[0] != '\0') {
      EXPECT_EQ(m.SubmatchText(1, 1), c.firstGroup) << c.pattern;
    }
  }
}

TEST(RegexMatcher, RefusedPatternClearsEarlierMatches) {
  RegexMatcher m;
  ASSERT_TRUE(m.Execute("(a)", "a"));
  EXPECT_FALSE(m.Execute("(a", "a"));
  EXPECT_EQ(m.SubmatchText(1, 1), "");
  EXPECT_EQ(m.MatchCount(), 0);
}

TEST(RegexMatcher, CharsetDeclaration) {
  RegexMatcher m;
  ASSERT_TRUE(
      m.Execute("<meta.+?charset=[^\\w]?([-\\w]+)",
                "<html><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"));
  EXPECT_EQ(m.SubmatchText(1, 1), "utf-8");
  ASSERT_TRUE(m.Execute("<meta.+?charset=[^\\w]?([-\\w]+)", "<meta charset=\"gb2312\">"));
  EXPECT_EQ(m.SubmatchText(1, 1), "gb2312");
}

TEST(RegexMatcher, ManyMatchesOverALargeSubjectStayLinear) {
  // Checking the whole subject again at every match made this take seconds.
  Text subject;
  for (int i = 0; i < 12000; ++i)
    subject += "{\"id\":\"" + std::to_string(i) + "\",\"n\":\"\xD5\xD5\"}" + Text(40, ' ');
  const auto start = std::chrono::steady_clock::now();
  RegexMatcher m;
  ASSERT_TRUE(m.Execute("\"id\":\"(\\d+)\"", subject));
  EXPECT_EQ(m.MatchCount(), 12000);
  EXPECT_EQ(m.SubmatchText(12000, 1), "11999");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace tarvelin
