#include "net/header_text.h"
#include "net/http_core.h"
#include "net/page_fetch.h"
#include "net/reply_cookies.h"
#include "net/text.h"

namespace tarvelin {

namespace {
constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
// The platform client's own limits, which the caller cannot change.
constexpr long kConnectTimeoutMs = 60000;
constexpr long kReceiveTimeoutMs = 60000;
}  // namespace

Bytes FetchWinInet(const PageFetch& fetch, const WinInetOptions& options) {
  const int method = fetch.method < 0 || fetch.method > 2 ? 0 : fetch.method;
  static const char* const kVerbs[] = {"GET", "POST", "HEAD"};
  const bool secure = TextToLowerAscii(TextLeft(fetch.url, 5)) == "https";

  const Text host = UrlHost(fetch.url, false, false);
  if (host.empty()) return {};
  HttpRequest request;
  request.url = (secure ? "https://" : "http://") + host + ":" +
                std::to_string(UrlPort(fetch.url)) + UrlPath(fetch.url);
  request.verb = kVerbs[method];
  request.followRedirects = !options.noRedirect;
  request.proxy = options.proxy;
  request.connectTimeoutMs = kConnectTimeoutMs;
  request.idleTimeoutMs = kReceiveTimeoutMs;

  Text local;
  Text& headers = fetch.headers != nullptr ? *fetch.headers : local;
  const bool callerAgent = TextFind(headers, "User-Agent:", 1, true) > 0;
  if (headers.empty()) {
    headers = "Accept: */*";
  } else if (TextFind(headers, "Accept:") < 0) {
    headers += "\r\nAccept: */*";
  }
  if (TextFind(headers, "Referer:") < 0) headers += "\r\nReferer: " + fetch.url;
  if (TextFind(headers, "Accept-Language:") < 0) headers += "\r\nAccept-Language: zh-cn";
  if (TextFind(headers, "Content-Type:") < 0)
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";
  const Text cookieText = fetch.cookies != nullptr ? *fetch.cookies : Text();
  if (!cookieText.empty()) headers += "\r\nCookie: " + cookieText;
  request.headerLines = HeaderTextLines(headers);
  // The platform sends its agent text after the caller's lines; a caller's own
  // User-Agent line already carries it.
  if (!callerAgent) request.headerLines.push_back(std::string("User-Agent: ") + kDefaultAgent);

  if (method != 0) {
    Bytes localBody;
    Bytes& bodyBytes = options.bodyBytes != nullptr ? *options.bodyBytes : localBody;
    if (bodyBytes.empty()) bodyBytes = fetch.body;
    request.body = bodyBytes;
    request.sendBody = true;
  }

  HttpResult result = PerformHttp(request);
  if (result.failure == HttpFailure::Setup) return {};
  if (result.failure == HttpFailure::TooLarge || result.failure == HttpFailure::Stopped) {
    result.body.clear();
    result.headerBlock.clear();
  }
  DeliverReplyCookies(CaptureReplyCookies(result.headerBlock), fetch.cookies != nullptr,
                      fetch.cookies, fetch.replyCookies, fetch.replyHeaders);
  return std::move(result.body);
}

}  // namespace tarvelin
