#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "net/page_fetch.h"

namespace tarvelin {
namespace {

TEST_F(FetchTest, RequestObjectSendsCookieThenItsDefaults) {
  Serve("/list", Reply({"Set-Cookie: p_skey=new; path=/"}, "[]"));
  Text cookies = "uin=o1; p_skey=old";
  PageFetch fetch;
  fetch.url = "https://h5.qzone.qq.com/list?g_tk=5";
  fetch.cookies = &cookies;
  int status = -1;
  EXPECT_EQ(FetchRequestObject(fetch, {.status = &status}), "[]");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(OnlyRequest().headers,
            (HeaderList{{"Host", "h5.qzone.qq.com"},
                        {"Cookie", "uin=o1; p_skey=old"},
                        {"Accept", "*/*"},
                        {"Referer", "https://h5.qzone.qq.com/list?g_tk=5"},
                        {"Accept-Language", "zh-cn"},
                        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
                        {"Content-Type", "application/x-www-form-urlencoded"}}));
  EXPECT_EQ(cookies, "p_skey=new; uin=o1");
}

TEST_F(FetchTest, RequestObjectKeepsCallerLinesAndSearchesCaseSensitively) {
  Serve("/p", Reply({}, "ok"));
  Text headers = "User-Agent: mine\r\nreferer: http://qzs.qq.com/\r\nX-Empty:";
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/p";
  fetch.headers = &headers;
  fetch.method = 1;
  fetch.body = "k=v";
  EXPECT_EQ(FetchRequestObject(fetch), "ok");
  const auto request = OnlyRequest();
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.body, "k=v");
  // The lower-case referer does not count, so the default Referer follows as well.
  const HeaderList expected{{"Host", "qzs.qq.com"},
                            {"User-Agent", "mine"},
                            {"referer", "http://qzs.qq.com/"},
                            {"X-Empty", ""},
                            {"Accept", "*/*"},
                            {"Referer", "http://qzs.qq.com/p"},
                            {"Accept-Language", "zh-cn"},
                            {"Content-Type", "application/x-www-form-urlencoded"},
                            {"Content-Length", "3"}};
  EXPECT_EQ(request.headers, expected);
  EXPECT_EQ(
      headers,
      "User-Agent: mine\r\nreferer: http://qzs.qq.com/\r\nX-Empty:\r\nAccept: */*\r\nReferer: "
      "http://qzs.qq.com/p\r\nAccept-Language: zh-cn\r\nContent-Type: "
      "application/x-www-form-urlencoded");
}

TEST_F(FetchTest, RequestObjectRedirectsAndCertificateErrors) {
  Serve("/old", Reply({"Location: http://qzs.qq.com/new"}, "see new", 302, "Found"));
  Serve("/new", Reply({}, "new"));
  // No trusted CA: the request object reads the https reply anyway, WinInet refuses it.
  TransportConfig config = server.Transport();
  config.caFile.clear();
  SetTransportConfig(config);

  int status = 0;
  Text replyHeaders;
  PageFetch fetch;
  fetch.url = "https://qzs.qq.com/old";
  fetch.replyHeaders = &replyHeaders;
  EXPECT_EQ(FetchRequestObject(fetch, {.status = &status, .noRedirect = true}), "see new");
  EXPECT_EQ(status, 302);
  EXPECT_EQ(replyHeaders.rfind("Location: http://qzs.qq.com/new\r\n", 0), 0u);  // no status line

  EXPECT_EQ(FetchRequestObject(fetch, {.status = &status}), "new");
  EXPECT_EQ(status, 200);
  EXPECT_EQ(FetchWinInet(fetch), "");
}

TEST_F(FetchTest, RequestObjectWithoutAReply) {
  TransportConfig config = server.Transport();
  config.connectTo.push_back(":81:127.0.0.1:1");
  SetTransportConfig(config);
  Text cookies = "a=1;  b=2";
  Text replyCookies = "stale";
  Text replyHeaders = "stale";
  int status = -1;
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com:81/";
  fetch.cookies = &cookies;
  fetch.replyCookies = &replyCookies;
  fetch.replyHeaders = &replyHeaders;
  EXPECT_EQ(FetchRequestObject(fetch, {.status = &status}), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(cookies, "a=1; b=2");
  EXPECT_EQ(replyCookies, "");
  EXPECT_EQ(replyHeaders, "");
}

}  // namespace
}  // namespace tarvelin
