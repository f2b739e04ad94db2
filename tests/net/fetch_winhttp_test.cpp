#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "net/page_fetch.h"

namespace tarvelin {
namespace {

const Text kSendFailed =
    "711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!";  // 711 发送请求失败!
const Text kNoReply = "712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!";  // 712 服务器未响应!
const Text kBadUrl =
    "701 \xBD\xE2\xCE\xF6URL\xB5\xD8\xD6\xB7\xCA\xA7\xB0\xDC!";  // 701 解析URL地址失败!

TEST_F(FetchTest, WinHttpDefaultLines) {
  Serve("/v", Reply({}, "ok"));
  Text cookies = "a=1";
  PageFetch fetch;
  fetch.url = "http://photo.qq.com/v?x=1";
  fetch.cookies = &cookies;
  EXPECT_EQ(FetchWinHttp(fetch), "ok");
  EXPECT_EQ(OnlyRequest().headers,
            (HeaderList{{"Host", "photo.qq.com"},
                        {"User-Agent",
                         "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)"},
                        {"Accept", "text/html, application/xhtml+xml, */*"},
                        {"Accept-Encoding", "gbk, GB2312"},
                        {"Accept-Language", "zh-cn"},
                        {"Content-Type", "application/x-www-form-urlencoded"},
                        {"Cache-Control", "no-cache"},
                        {"Cookie", "a=1"}}));

  server.ClearRequests();
  const Text headers =
      "user-agent: me\r\nAccept: a/b\r\nAccept-Language: en\r\nReferer: http://qzs.qq.com/";
  Text copy = headers;
  fetch.headers = &copy;
  FetchWinHttp(fetch);
  EXPECT_EQ(copy, headers);  // read only
  EXPECT_EQ(OnlyRequest().headers,
            (HeaderList{{"Host", "photo.qq.com"},
                        {"user-agent", "me"},
                        {"Accept", "a/b"},
                        {"Accept-Language", "en"},
                        {"Referer", "http://qzs.qq.com/"},
                        {"Accept-Encoding", "gbk, GB2312"},
                        {"Content-Type", "application/x-www-form-urlencoded"},
                        {"Cache-Control", "no-cache"},
                        {"Cookie", "a=1"}}));
}

TEST_F(FetchTest, WinHttpStatusLocationAndBody) {
  Serve("/missing", Reply({"Set-Cookie: z=9"}, "not here", 404, "Not Found"));
  Serve("/moved", Reply({"location: http://qzs.qq.com/missing"}, "moving", 302, "Found"));
  Text statusText;
  Text location;
  Bytes replyBytes;
  Text replyHeaders;
  Text cookies = "a=1";
  PageFetch fetch;
  fetch.url = "http://qzs.qq.com/missing";
  fetch.replyHeaders = &replyHeaders;
  fetch.cookies = &cookies;
  WinHttpOptions options;
  options.noRedirect = true;
  options.location = &location;
  options.statusText = &statusText;
  options.replyBytes = &replyBytes;
  EXPECT_EQ(FetchWinHttp(fetch, options), "not here");
  EXPECT_EQ(statusText, "404 Not Found");
  EXPECT_EQ(cookies, "z=9; a=1");
  EXPECT_EQ(replyHeaders.rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u);

  fetch.url = "http://qzs.qq.com/moved";
  EXPECT_EQ(FetchWinHttp(fetch, options), "moving");
  EXPECT_EQ(statusText, "302 Found");
  EXPECT_EQ(location, "http://qzs.qq.com/missing");
  EXPECT_EQ(replyBytes, "moving");
}

TEST_F(FetchTest, WinHttpCharsetConversion) {
  const std::string utf8Page = "<html><meta charset=\"utf-8\"><p>\xE4\xB8\xAD</p>";
  const std::string late =
      "<html>" + std::string(1100, ' ') + "<meta charset=\"utf-8\">\xE4\xB8\xAD";
  struct Case {
    std::string body;
    Text page;
  };
  const Case cases[] = {
      {utf8Page, "<html><meta charset=\"utf-8\"><p>\xD6\xD0</p>"},
      {"<meta http-equiv=Content-Type content=\"text/html; charset=gb2312\">\xD6\xD0", ""},
      {"{\"name\":\"\xD6\xD0\"}", ""},                                 // JSON: no meta tag
      {late, ""},                                                      // declared too late
      {"<meta charset=x-unknown-set>\xD6\xD0", ""},                    // unknown: unchanged
      {"<META CHARSET=BIG5>\xA5\x5C", "<META CHARSET=BIG5>\xB9\xA6"},  // 功
  };
  for (const auto& c : cases) {
    server.ClearRoutes();
    Serve("/page", Reply({"Content-Type: text/html"}, c.body));
    Bytes replyBytes;
    PageFetch fetch;
    fetch.url = "http://qzs.qq.com/page";
    WinHttpOptions options;
    options.replyBytes = &replyBytes;
    EXPECT_EQ(FetchWinHttp(fetch, options), c.page.empty() ? c.body : c.page) << c.body;
    EXPECT_EQ(replyBytes, c.body);
  }
}

TEST_F(FetchTest, WinHttpNumberedFailures) {
  TransportConfig config = server.Transport();
  config.timeoutScale = 0.01;  // 30 s becomes 300 ms
  config.connectTo.push_back(":81:127.0.0.1:1");
  SetTransportConfig(config);
  Serve("/hang", Hang());
  standin::ScriptedReply cut = Reply({}, "0123456789");
  cut.closeAfterBytes = 4;
  Serve("/cut", cut);

  struct Case {
    const char* url;
    Text statusText;
    Text page;
  };
  const Case cases[] = {
      {"http://qzs.qq.com:81/", kSendFailed, ""},  {"http://qzs.qq.com/hang", kNoReply, ""},
      {"ftp://qzs.qq.com/", kBadUrl, ""},          {"http:///nohost", kBadUrl, ""},
      {"http://qzs.qq.com/cut", "200 OK", "0123"},  // the 713 of the short read gives way to the
                                                    // status
  };
  for (const auto& c : cases) {
    Text statusText = "unset";
    Text replyHeaders = "kept";
    Text cookies = "a=1";
    PageFetch fetch;
    fetch.url = c.url;
    fetch.cookies = &cookies;
    fetch.replyHeaders = &replyHeaders;
    WinHttpOptions options;
    options.statusText = &statusText;
    EXPECT_EQ(FetchWinHttp(fetch, options), c.page) << c.url;
    EXPECT_EQ(statusText, c.statusText) << c.url;
    if (c.page.empty()) {
      EXPECT_EQ(replyHeaders, "kept") << c.url;
    }
  }
}

}  // namespace
}  // namespace tarvelin
