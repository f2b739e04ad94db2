#include "session/request_token.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tarvelin {
namespace {

// Unsigned 64-bit reference of the hash, cut to 32 bits after every step.
Text ReferenceToken(const Text& key) {
  std::uint64_t h = 5381;
  for (unsigned char c : key) h = (h * 33 + c) % (1ull << 32);
  return std::to_string(h & 0x7FFFFFFF);
}

TEST(RequestToken, KnownValuesAndWrapping) {
  EXPECT_EQ(RequestToken(""), "5381");
  EXPECT_EQ(RequestToken("abc"), "193485963");
  // Six letters a pass 2^31: the high bit is cleared, never a sign.
  EXPECT_EQ(RequestToken("aaaaaa"), ReferenceToken("aaaaaa"));
  EXPECT_EQ(RequestToken("aaaaaa"), "1899334891");
  const Text longKey(5000, '@');
  EXPECT_EQ(RequestToken(longKey), ReferenceToken(longKey));
  // Bytes from 0x80 up count as their own value.
  EXPECT_EQ(RequestToken("\xCF\xE0"), ReferenceToken("\xCF\xE0"));
}

TEST(RequestToken, CookieTokenTakesTheFirstGroup) {
  EXPECT_EQ(CookieToken("a=1; skey=abc; b=2", "; skey=(.*?);"), "193485963");
  EXPECT_EQ(CookieToken("a=1; skey=abc", "; skey=(.*?);"), "5381");
  EXPECT_EQ(CookieToken("", "; skey=(.*?);"), "5381");
}

}  // namespace
}  // namespace tarvelin
