#include "net/text.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

TEST(TextFind, NeverStartsInsideADoubleByteCharacter) {
  // B1 62 is one character whose second byte is the letter b.
  EXPECT_EQ(TextFind("\xB1"
                     "bb",
                     "b"),
            3);
  EXPECT_EQ(TextFind("abcabc", "c", 4), 6);
  EXPECT_EQ(TextFind("abc", "c", -3), 3);
  EXPECT_EQ(TextFind("abc", "d"), -1);
  EXPECT_EQ(TextFind("abc", "c", 4), -1);
  EXPECT_EQ(TextFind("abc", ""), 1);
  EXPECT_EQ(TextFind("", ""), -1);
}

TEST(TextFind, IgnoreCaseFoldsAsciiLettersOnly) {
  EXPECT_EQ(TextFind("xSET-cookie", "Set-Cookie", 1, true), 2);
  EXPECT_EQ(TextFind("xSET-cookie", "Set-Cookie"), -1);
  // A1 C1 and A1 E1 differ by 0x20 but are not letters.
  EXPECT_EQ(TextFind("\xA1\xC1", "\xA1\xE1", 1, true), -1);
}

TEST(TextFindReverse, ConsidersOnlyTheFirstEndMinusOneBytes) {
  EXPECT_EQ(TextFindReverse("a=b=c", "="), 4);
  EXPECT_EQ(TextFindReverse("a=b=c", "=", 4), 2);  // "=" at 4 ends beyond byte 3
  EXPECT_EQ(TextFindReverse("a=b=c", "=", 5), 4);
  EXPECT_EQ(TextFindReverse("abc", "x"), -1);
  EXPECT_EQ(TextFindReverse("\xB1"
                            "b",
                            "b"),
            -1);
}

TEST(TextCut, LeftRightMidBounds) {
  EXPECT_EQ(TextLeft("abc", 2), "ab");
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", 9), "abc");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", -1), "");
  EXPECT_EQ(TextRight("abc", 9), "abc");
  EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(TextMid("abcdef", 5, 9), "ef");
  EXPECT_EQ(TextMid("abcdef", 0, 2), "");
  EXPECT_EQ(TextMid("abcdef", 7, 2), "");
  EXPECT_EQ(TextMid("abcdef", 2, 0), "");
}

TEST(TextTrim, AsciiAndFullWidthSpacesOnly) {
  EXPECT_EQ(TextTrim("  ab c\xA1\xA1"), "ab c");
  EXPECT_EQ(TextTrim(" x\r\n"), "x\r\n");
  EXPECT_EQ(TextTrim("\tx "), "\tx");
  EXPECT_EQ(TextTrim("\xA1\xA1 "), "");
  // A1 A1 that straddles two characters is not a full-width space: B0 A1 | A1 41.
  EXPECT_EQ(TextRemoveSpaces("a b\xA1\xA1"
                             "c \xB0\xA1"),
            "abc\xB0\xA1");
}

TEST(TextSplit, KeepsInnerEmptyPiecesButNoTrailingEmptyOne) {
  EXPECT_EQ(TextSplit("a;;b;", ";"), (std::vector<Text>{"a", "", "b"}));
  EXPECT_EQ(TextSplit(";a", ";"), (std::vector<Text>{"", "a"}));
  EXPECT_EQ(TextSplit("a; b; c", "; "), (std::vector<Text>{"a", "b", "c"}));
  EXPECT_TRUE(TextSplit("", ";").empty());
}

TEST(TextReplace, EveryOccurrence) {
  EXPECT_EQ(TextReplace("aXbXc", "X", "--"), "a--b--c");
  EXPECT_EQ(TextReplace("aXbxc", "x", "-", true), "a-b-c");
  EXPECT_EQ(TextReplace("aXbxc", "x", "-"), "aXb-c");
  EXPECT_EQ(TextReplace("XX", "X", ""), "");
}

TEST(TextBetween, Markers) {
  const Text quote = "#\xD2\xFD\xBA\xC5";  // "#引号"
  EXPECT_EQ(TextBetween("<a id=\"v1\" x>", "=" + quote, quote), "v1");
  EXPECT_EQ(TextBetween("k=v;", "k=", ";"), "v");
  EXPECT_EQ(TextBetween("k=;", "k=", ";"), "");
  EXPECT_EQ(TextBetween("; k=v", "k=", ";"), "");  // right only before left
  EXPECT_EQ(TextBetween("abc k=", "k=", ""), "");  // left at the very end
  EXPECT_EQ(TextBetween("a[1]b[2]", "[", "]", 4), "2");
  EXPECT_EQ(TextBetween("A[1]", "a[", "]", 1, true), "1");
}

TEST(TextAfterLast, UsesTheLastOccurrenceBeforeTheFinalByte) {
  EXPECT_EQ(TextAfterLast("http://r.photo.store.qq.com/psb?/V1/abc", "psb?/"), "V1/abc");
  EXPECT_EQ(TextAfterLast("a=1=2", "="), "2");
  EXPECT_EQ(TextAfterLast("a/b/", "/"), "b/");
  EXPECT_EQ(TextAfterLast("ab/", "/"), "");
  EXPECT_EQ(TextAfterLast("abc", "x"), "");
}

}  // namespace
}  // namespace tarvelin
