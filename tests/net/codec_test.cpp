#include "net/codec.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

TEST(Codec, Utf8ToCodePage936) {
  EXPECT_EQ(Utf8ToText("\xE4\xB8\xAD"), "\xD6\xD0");  // 中
  EXPECT_EQ(Utf8ToText("a\xE2\x82\xAC"
                       "b"),
            "a\x80"
            "b");                                    // the euro sign is 0x80 in 936
  EXPECT_EQ(Utf8ToText("\xF0\x9F\x98\x80!"), "?!");  // no emoji in 936
  EXPECT_EQ(Utf8ToText("x\xC3\x28"), "x?(");         // malformed sequence
  EXPECT_EQ(Utf8ToText("\xE4\xB8"), "?\?");          // truncated at the end
  EXPECT_EQ(Utf8ToText(Bytes("ab\0cd", 5)), "ab");   // up to the first zero
  EXPECT_EQ(Utf8ToText(""), "");
}

TEST(Codec, Utf16RoundTrip) {
  EXPECT_EQ(TextToUtf16("a\xD6\xD0"), Bytes("a\0\x2D\x4E\0\0", 6));
  EXPECT_EQ(TextToUtf16("a\xD6\xD0", true), Bytes("a\0\x2D\x4E", 4));
  EXPECT_EQ(TextToUtf16(""), "");
  EXPECT_EQ(Utf16ToText(Bytes("a\0\x2D\x4E\0\0z\0", 8)), "a\xD6\xD0");
  EXPECT_EQ(Utf16ToText(Bytes("\x3D\xD8\x00\xDE", 4)), "?");  // a surrogate pair beyond 936
  EXPECT_EQ(Utf16ToText(Bytes("\x00\xDE"
                              "a\0",
                              4)),
            "?a");  // a lone low surrogate
}

TEST(Codec, TextToUtf8) {
  EXPECT_EQ(TextToUtf8("a\xD6\xD0\xA1\xA1"), "a\xE4\xB8\xAD\xE3\x80\x80");
  EXPECT_EQ(TextToUtf8("a\xFF"), "a?");  // an invalid 936 byte
}

TEST(Codec, NamedCharsets) {
  EXPECT_EQ(CharsetToText("\xEF\xBB\xBF\xE4\xB8\xAD", "UTF-8"), "\xD6\xD0");  // the mark is dropped
  EXPECT_EQ(CharsetToText("caf\xE9", "iso-8859-1"), "caf\xA8\xA6");  // 936 has the accented e
  EXPECT_EQ(CharsetToText("\xDE", "iso-8859-1"), "?");
  EXPECT_EQ(CharsetToText("\xA5\x5C", "big5"), "\xB9\xA6");  // 功
  EXPECT_EQ(CharsetToText("abc", "no-such-charset"), "");
}

}  // namespace
}  // namespace tarvelin
