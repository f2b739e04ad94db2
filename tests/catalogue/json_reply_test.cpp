#include "net/json_reply.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

// 相册 in code page 936.
const Text kAlbumGbk = "\xCF\xE0\xB2\xE1";

TEST(JsonReply, EscapedNameGivesTheSameBytesAsTheRawName) {
  JsonReply raw("{\"name\":\"" + kAlbumGbk + "1\"}");
  JsonReply escaped("{\"name\":\"\\u76f8\\u518C1\"}");
  ASSERT_TRUE(raw.Valid());
  ASSERT_TRUE(escaped.Valid());
  EXPECT_EQ(raw.Root().Member("name").JsonText(), "\"" + kAlbumGbk + "1\"");
  EXPECT_EQ(escaped.Root().Member("name").JsonText(), raw.Root().Member("name").JsonText());
}

TEST(JsonReply, EscapeDecodingCornerCases) {
  struct Case {
    const char* what;
    Text json;
    Text expected;  // JSON text of member "v"
  };
  const Case cases[] = {
      // A trail byte 0x5C (乗 is 81 5C) must not turn into an escape of the next character.
      {"trail backslash", "{\"v\":\"\\u4e57\\\"x\"}", "\"\x81\\\\\\\"x\""},
      {"outside 936", "{\"v\":\"a\\ud83d\\ude00b\"}", "\"a?b\""},
      {"lone surrogate", "{\"v\":\"\\ud83dx\"}", "\"?x\""},
      {"escaped backslash before u", "{\"v\":\"\\\\u76f8\"}", "\"\\\\u76f8\""},
      {"ascii escape kept", "{\"v\":\"\\u0041\\u0001\"}", "\"A\\u0001\""},
  };
  for (const Case& c : cases) {
    JsonReply reply(c.json);
    ASSERT_TRUE(reply.Valid()) << c.what;
    EXPECT_EQ(reply.Root().Member("v").JsonText(), c.expected) << c.what;
  }
}

TEST(JsonReply, ValuesReadAsJsonCWritesThem) {
  JsonReply reply(
      "{\"url\":\"http://a.b/c?d=1\",\"esc\":\"http:\\/\\/x\\/y\",\"n\":42,\"neg\":-7,"
      "\"big\":12345678901234,\"r\":1.5,\"t\":true,\"nul\":null,\"ctl\":\"a\\tb\\u001f\","
      "\"obj\":{\"a\":[1,2.25]}}");
  ASSERT_TRUE(reply.Valid());
  const JsonNode root = reply.Root();
  EXPECT_EQ(root.Member("url").JsonText(), "\"http:\\/\\/a.b\\/c?d=1\"");
  EXPECT_EQ(root.Member("esc").JsonText(), "\"http:\\/\\/x\\/y\"");
  EXPECT_EQ(root.Member("esc").Unquoted(), "http:\\/\\/x\\/y");
  EXPECT_EQ(root.Member("n").JsonText(), "42");
  EXPECT_EQ(root.Member("neg").JsonText(), "-7");
  EXPECT_EQ(root.Member("big").JsonText(), "12345678901234");
  EXPECT_EQ(root.Member("r").JsonText(), "1.500000");
  EXPECT_EQ(root.Member("t").JsonText(), "true");
  EXPECT_EQ(root.Member("nul").JsonText(), "null");
  EXPECT_TRUE(root.Member("nul").IsNull());
  EXPECT_EQ(root.Member("missing").JsonText(), "null");
  EXPECT_EQ(root.Member("missing").Member("deeper").Unquoted(), "null");
  EXPECT_EQ(root.Member("ctl").JsonText(), "\"a\\tb\\u001f\"");
  EXPECT_EQ(root.Member("obj").JsonText(), "{ \"a\": [ 1, 2.250000 ] }");
}

TEST(JsonReply, ArraysAndInvalidReplies) {
  JsonReply reply("{\"data\":{\"album\":[{\"id\":\"a\"},{\"id\":\"b\"}]}}");
  const JsonNode albums = reply.Root().Member("data").Member("album");
  EXPECT_TRUE(albums.IsArray());
  EXPECT_EQ(albums.Length(), 2);
  EXPECT_EQ(albums.Item(1).Member("id").Unquoted(), "b");
  EXPECT_TRUE(albums.Item(2).IsNull());
  EXPECT_TRUE(albums.Item(-1).IsNull());
  EXPECT_EQ(reply.Root().Member("data").Length(), 0);

  for (const Text& bad :
       {Text(""), Text("<html>busy</html>"), Text("{\"a\":1"), Text("_Callback({\"a\":1})")}) {
    JsonReply invalid(bad);
    EXPECT_FALSE(invalid.Valid()) << bad;
    EXPECT_EQ(invalid.Root().Member("data").Member("album").Length(), 0);
    EXPECT_EQ(invalid.Root().JsonText(), "null");
  }
}

}  // namespace
}  // namespace tarvelin
