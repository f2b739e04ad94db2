#include "net/cookie_merge.h"

#include <gtest/gtest.h>

namespace tarvelin {
namespace {

TEST(MergeCookies, Cases) {
  struct Case {
    const char* kept;
    const char* received;
    const char* merged;
  };
  const Case cases[] = {
      {"a=1; b=2", "b=3", "b=3; a=1"},
      {"a=1; b=2", "b=deleted", "a=1"},
      {"a=1;a=2", "", "a=1"},
      {"", "x=1; x=1", "x=1"},
      {"", "x=1; x=2", "x=1; x=2"},
      {"a=1;;b=2", "", "a=1; ; b=2"},
      {"k=v w", "", "k=vw"},
      {"", "", ""},
      {"flag; a=1", "flag", "flag; a=1"},
      {"a=0; c=3", "a=1; b=2", "a=1; b=2; c=3"},
      {"p=\xA1\xA1q", "", "p=q"},  // full-width spaces go too
  };
  for (const auto& c : cases) {
    Text kept = c.kept;
    Text received = c.received;
    EXPECT_EQ(MergeCookies(kept, received), c.merged) << c.kept << " + " << c.received;
    EXPECT_EQ(kept, c.merged);
  }
}

TEST(MergeCookies, ReceivedLosesItsSpaces) {
  Text kept;
  Text received = "a=1; b=2";
  MergeCookies(kept, received);
  EXPECT_EQ(received, "a=1;b=2");
}

TEST(CookieName, TextBeforeTheFirstEqualsSign) {
  EXPECT_EQ(CookieName(" uin = o123"), "uin");
  EXPECT_EQ(CookieName("a=b=c"), "a");
  EXPECT_EQ(CookieName(" flag "), "flag");
}

}  // namespace
}  // namespace tarvelin
