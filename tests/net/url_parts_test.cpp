#include <gtest/gtest.h>

#include "net/page_fetch.h"

namespace tarvelin {
namespace {

TEST(UrlParts, HostPortAndPath) {
  struct Case {
    const char* url;
    const char* host;
    const char* mainDomain;
    const char* hostWithPort;
    int port;
    const char* path;
  };
  const Case cases[] = {
      {"http://USER.Qzone.qq.com:8080/Path/X?A=B", "user.qzone.qq.com", "qq.com",
       "user.qzone.qq.com:8080", 8080, "/Path/X?A=B"},
      {"https://r.photo.store.qq.com/psb?/V1", "r.photo.store.qq.com", "qq.com",
       "r.photo.store.qq.com", 443, "/psb?/V1"},
      {"http://qzs.qq.com", "qzs.qq.com", "qq.com", "qzs.qq.com", 80, "/"},
      {"HTTPS://LocalHost", "localhost", "localhost", "localhost", 443, "/"},
      {"qzs.qq.com/a", "qzs.qq.com", "qq.com", "qzs.qq.com", 80, "/a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UrlHost(c.url), c.host) << c.url;
    EXPECT_EQ(UrlHost(c.url, true), c.mainDomain) << c.url;
    EXPECT_EQ(UrlHost(c.url, false, true), c.hostWithPort) << c.url;
    EXPECT_EQ(UrlPort(c.url), c.port) << c.url;
    EXPECT_EQ(UrlPath(c.url), c.path) << c.url;
  }
  // The main domain keeps a port that hangs on the last label unless it is cut.
  EXPECT_EQ(UrlHost("http://a.b.qq.com:81/", true, true), "qq.com:81");
}

}  // namespace
}  // namespace tarvelin
