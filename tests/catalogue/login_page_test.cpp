#include "catalogue_fixture.h"
#include "net/page_fetch.h"
#include "session/session_extract.h"

namespace tarvelin {
namespace {

using LoginPageTest = CatalogueTest;

// The stand-in's login page, read as a browser would, gives the stand-in's login.
TEST_F(LoginPageTest, GivesTheStandInsLogin) {
  for (const char* address : {"http://qzone.qq.com/", "http://user.qzone.qq.com/"}) {
    PageFetch fetch;
    fetch.url = address;
    Text cookies;
    Text replyCookies;
    fetch.cookies = &cookies;
    fetch.replyCookies = &replyCookies;
    const Text html = FetchWinInet(fetch);
    const SessionValues v = ExtractSession(LoginPage{cookies, html});
    EXPECT_EQ(v.accountNumber, service.login.uin) << cookies;
    EXPECT_EQ(v.skeyToken, RequestToken(service.login.skey)) << cookies;
    EXPECT_EQ(v.pskeyToken, RequestToken(service.login.pskey)) << cookies;
    EXPECT_EQ(v.pageToken, service.login.pageToken) << v.pageScript;
  }
  const auto pages = server.Requests();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].host, "qzone.qq.com");
}

}  // namespace
}  // namespace tarvelin
