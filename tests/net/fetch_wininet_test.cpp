#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"

namespace tarvelin {
namespace {

const char* kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

TEST_F(FetchTest, WinInetSendsItsDefaultLinesInOrder) {
  Serve("/cgi", Reply({"Content-Type: text/plain"}, "body"));
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/cgi?x=1&y=2";
  EXPECT_EQ(FetchWinInet(fetch), "body");
  const auto request = OnlyRequest();
  EXPECT_EQ(request.requestLine, "GET /cgi?x=1&y=2 HTTP/1.1");
  EXPECT_EQ(request.headers, (HeaderList{{"Host", "qzs.qq.com"},
                                         {"Accept", "*/*"},
                                         {"Referer", "http://qzs.qq.com/cgi?x=1&y=2"},
                                         {"Accept-Language", "zh-cn"},
                                         {"Content-Type", "application/x-www-form-urlencoded"},
                                         {"User-Agent", kAgent}}));
}

TEST_F(FetchTest, WinInetCookieLineAndReplyCookies) {
  Serve("/c",
        Reply({"set-cookie: a=1; path=/", "SET-COOKIE: b=2", "Content-Type: text/plain"}, "ok"));
  struct Case {
    bool supplied;
    const char* cookies;
    const char* cookieLine;  // "" when none is sent
    const char* mergedCookies;
    const char* replyCookies;
  };
  const Case cases[] = {
      {false, "", "", "", "a=1; b=2"},
      {true, "", "", "a=1; b=2", "a=1;b=2"},  // the merge takes the spaces out of replyCookies
      {true, "a=0; c=3", "a=0; c=3", "a=1; b=2; c=3", "a=1;b=2"},
  };
  for (const auto& c : cases) {
    server.ClearRequests();
    Text cookies = c.cookies;
    Text replyCookies = "stale";
    Text replyHeaders;
    Text headers = "X-Mine: 1";
    PageFetch fetch;
    fetch.url = "http://h5.qzone.qq.com/c";
    fetch.cookies = c.supplied ? &cookies : nullptr;
    fetch.replyCookies = &replyCookies;
    fetch.replyHeaders = &replyHeaders;
    fetch.headers = &headers;
    EXPECT_EQ(FetchWinInet(fetch), "ok");
    const auto request = OnlyRequest();
    EXPECT_EQ(request.Header("Cookie"), c.cookieLine);
    if (*c.cookieLine != '\0') {
      ASSERT_GE(request.headers.size(), 2u);
      EXPECT_EQ(request.headers[request.headers.size() - 2].first, "Cookie");  // then the agent
      EXPECT_NE(headers.find("\r\nCookie: " + std::string(c.cookies)), std::string::npos);
    }
    EXPECT_EQ(request.headers[1], (std::pair<std::string, std::string>("X-Mine", "1")));
    EXPECT_EQ(cookies, c.mergedCookies);
    EXPECT_EQ(replyCookies, c.replyCookies);
    EXPECT_EQ(replyHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_NE(replyHeaders.find("\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"),
              std::string::npos);
  }
}

TEST_F(FetchTest, WinInetAddressMethodAndBody) {
  TransportConfig config = server.Transport();
  config.connectTo.push_back(":8080:127.0.0.1:" + std::to_string(server.HttpPort()));
  SetTransportConfig(config);
  Serve("/Path/X", Reply({}, "x"));
  Serve("/", Reply({}, "root"));
  Serve("/post", Reply({}, "posted"));

  PageFetch fetch;
  fetch.url = "http://USER.QZONE.QQ.COM:8080/Path/X";
  fetch.method = 7;
  EXPECT_EQ(FetchWinInet(fetch), "x");
  auto request = OnlyRequest();
  EXPECT_EQ(request.requestLine, "GET /Path/X HTTP/1.1");
  EXPECT_EQ(request.Header("Host"), "user.qzone.qq.com:8080");

  server.ClearRequests();
  fetch.url = "https://qzs.qq.com";
  fetch.method = 0;
  EXPECT_EQ(FetchWinInet(fetch), "root");  // https on 443, the stand-in CA trusted
  request = OnlyRequest();
  EXPECT_TRUE(request.tls);
  EXPECT_EQ(request.target, "/");

  server.ClearRequests();
  Bytes bodyBytes;
  fetch.url = "http://qzs.qq.com/post";
  fetch.method = 1;
  fetch.body = "a=1&b=2";
  EXPECT_EQ(FetchWinInet(fetch, {.noRedirect = false, .bodyBytes = &bodyBytes, .proxy = ""}),
            "posted");
  EXPECT_EQ(bodyBytes, "a=1&b=2");
  request = OnlyRequest();
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.body, "a=1&b=2");
  EXPECT_EQ(request.Header("Expect"), "");
  EXPECT_EQ(request.Header("Content-Type"), "application/x-www-form-urlencoded");

  server.ClearRequests();
  bodyBytes = Bytes("\0\1\2", 3);  // bytes take precedence over the text
  EXPECT_EQ(FetchWinInet(fetch, {.noRedirect = false, .bodyBytes = &bodyBytes, .proxy = ""}),
            "posted");
  EXPECT_EQ(OnlyRequest().body, Bytes("\0\1\2", 3));
}

TEST_F(FetchTest, WinInetRedirects) {
  Serve("/from", Reply({"Location: /to", "Set-Cookie: hop=1"}, "moved", 302, "Found"));
  Serve("/to", Reply({"Set-Cookie: end=2"}, "arrived"));
  for (bool noRedirect : {false, true}) {
    Text replyHeaders;
    Text cookies = "k=v";
    PageFetch fetch;
    fetch.url = "http://qzs.qq.com/from";
    fetch.cookies = &cookies;
    fetch.replyHeaders = &replyHeaders;
    const Bytes body =
        FetchWinInet(fetch, {.noRedirect = noRedirect, .bodyBytes = nullptr, .proxy = ""});
    if (noRedirect) {
      EXPECT_EQ(body, "moved");
      EXPECT_EQ(replyHeaders.rfind("HTTP/1.1 302 Found\r\n", 0), 0u);
      EXPECT_EQ(cookies, "hop=1; k=v");
    } else {
      EXPECT_EQ(body, "arrived");
      EXPECT_EQ(replyHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);  // the final reply's block
      EXPECT_EQ(cookies, "end=2; k=v");
    }
  }
}

TEST_F(FetchTest, WinInetReadsEveryCookieOfAHugeHeaderBlock) {
  std::vector<std::string> lines;
  std::string expected;
  for (int i = 0; i < 1500; ++i) {
    lines.push_back("Set-Cookie: c" + std::to_string(i) + "=" + std::string(40, 'v') +
                    "; path=/; domain=qq.com");
    expected += (i ? "; c" : "c") + std::to_string(i) + "=" + std::string(40, 'v');
  }
  Serve("/many", Reply(lines, "ok"));
  Text replyCookies;
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/many";
  fetch.replyCookies = &replyCookies;
  EXPECT_EQ(FetchWinInet(fetch), "ok");
  EXPECT_EQ(replyCookies, expected);
}

TEST_F(FetchTest, FailedExchangesLeaveTheCookieTextNormalised) {
  // Header block over 1 MiB, body over the cap, and nobody listening.
  std::vector<std::string> filler{"Set-Cookie: a=1"};
  for (size_t i = 0; i < kHeaderBlockLimit / 60000 + 1; ++i)
    filler.push_back("X-Filler: " + std::string(60000, 'x'));
  Serve("/hostile-headers", Reply(filler, "b"));
  Serve("/hostile-line",
        Reply({"Set-Cookie: a=1", "X-Filler: " + std::string(kHeaderBlockLimit, 'x')}, "b"));
  Serve("/big-body", Reply({"Set-Cookie: a=1"}, std::string(5000, 'b')));
  SetHttpBodyLimit(4096);
  TransportConfig config = server.Transport();
  config.connectTo.push_back(":81:127.0.0.1:1");
  SetTransportConfig(config);
  for (const char* url : {"http://qzs.qq.com/hostile-headers", "http://qzs.qq.com/hostile-line",
                          "http://qzs.qq.com/big-body", "http://qzs.qq.com:81/"}) {
    Text cookies = "x=1;  y=2";
    Text replyHeaders = "old";
    PageFetch fetch;
    fetch.url = url;
    fetch.cookies = &cookies;
    fetch.replyHeaders = &replyHeaders;
    EXPECT_EQ(FetchWinInet(fetch), "") << url;
    EXPECT_EQ(cookies, "x=1; y=2") << url;
    EXPECT_EQ(replyHeaders, "") << url;
  }
}

TEST_F(FetchTest, StandinCertificateHoldsForEveryServiceHost) {
  Serve("/ok", Reply({}, "trusted"));
  namespace e = endpoints;
  for (const char* host : {e::SpaceSiteHost, e::SpaceUserHost, e::ProxyHost, e::RouteStoreHost,
                           e::GroupPhotoHost, e::PhotoStoreHost, e::ImageCacheHost,
                           e::PhotoPageHost, e::ShortPhotoDomain, e::SpacePhotoDomain,
                           e::CookieDomain, e::MakerSite, "b123.photo.store.qq.com", "localhost"}) {
    PageFetch fetch;
    fetch.url = std::string("https://") + host + "/ok";
    EXPECT_EQ(FetchWinInet(fetch), "trusted") << host;
  }
  PageFetch fetch;
  fetch.url = "https://a.b.example.com/ok";  // a name the certificate does not hold
  EXPECT_EQ(FetchWinInet(fetch), "");
}

TEST_F(FetchTest, LineBreaksInsideAHeaderCannotAddHeaders) {
  Serve("/p", Reply({}, "ok"));
  Text cookies = "a=1\nX-Injected: yes";
  Text headers = "X-Mine: 1\rX-Other: 2";
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/p";
  fetch.cookies = &cookies;
  fetch.headers = &headers;
  EXPECT_EQ(FetchWinInet(fetch), "ok");
  const auto request = OnlyRequest();
  EXPECT_EQ(request.Header("X-Injected"), "");
  EXPECT_EQ(request.Header("X-Other"), "");
  EXPECT_EQ(request.Header("X-Mine"), "1 X-Other: 2");
  EXPECT_EQ(request.Header("Cookie"), "a=1 X-Injected: yes");
}

TEST_F(FetchTest, ConnectionsAreReusedBetweenCalls) {
  Serve("/r", Reply({}, "again"));
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/r";
  for (int i = 0; i < 3; ++i) EXPECT_EQ(FetchWinInet(fetch), "again");
  EXPECT_EQ(FetchRequestObject(fetch), "again");
  EXPECT_EQ(FetchWinHttp(fetch), "again");
  EXPECT_EQ(server.ConnectionCount(), 1);
  EXPECT_EQ(server.Requests().size(), 5u);
}

}  // namespace
}  // namespace tarvelin
