#include "net/header_text.h"
#include "net/http_core.h"
#include "net/page_fetch.h"
#include "net/reply_cookies.h"
#include "net/text.h"

namespace tarvelin {

namespace {
constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
// The request object's own time-outs, kept when the caller passes -1.
constexpr long kObjectConnectTimeoutMs = 60000;
constexpr long kObjectReceiveTimeoutMs = 30000;
}  // namespace

Bytes FetchRequestObject(const PageFetch& fetch, const RequestObjectOptions& options) {
  const int method = fetch.method < 0 || fetch.method > 2 ? 0 : fetch.method;
  static const char* const kVerbs[] = {"GET", "POST", "HEAD"};

  HttpRequest request;
  request.url = fetch.url;
  request.verb = kVerbs[method];
  if (options.timeoutSeconds == -1) {
    request.connectTimeoutMs = kObjectConnectTimeoutMs;
    request.idleTimeoutMs = kObjectReceiveTimeoutMs;
  } else {
    request.connectTimeoutMs = request.idleTimeoutMs =
        SecondsToMs(options.timeoutSeconds < 1 ? 15 : options.timeoutSeconds);
  }
  if (!options.proxy.empty()) {
    request.proxy = options.proxy;
    if (!options.proxyUser.empty()) {
      // Credential target 0 is the server, anything else the proxy.
      if (options.credentialFlags == 0) {
        request.serverUser = options.proxyUser;
        request.serverPassword = options.proxyPassword;
      } else {
        request.proxyUser = options.proxyUser;
        request.proxyPassword = options.proxyPassword;
      }
    }
  }
  request.followRedirects = !options.noRedirect;
  request.verifyTls = false;  // the object is told to ignore certificate errors

  Text local;
  Text& headers = fetch.headers != nullptr ? *fetch.headers : local;
  if (headers.empty()) {
    headers = "Accept: */*";
  } else if (TextFind(headers, "Accept:") < 0) {
    headers += "\r\nAccept: */*";
  }
  if (TextFind(headers, "Referer:") < 0) headers += "\r\nReferer: " + fetch.url;
  if (TextFind(headers, "Accept-Language:") < 0) headers += "\r\nAccept-Language: zh-cn";
  if (TextFind(headers, "User-Agent:") < 0)
    headers += std::string("\r\nUser-Agent: ") + kDefaultAgent;
  if (TextFind(headers, "Content-Type:") < 0)
    headers += "\r\nContent-Type: application/x-www-form-urlencoded";

  const Text cookieText = fetch.cookies != nullptr ? *fetch.cookies : Text();
  if (!cookieText.empty()) request.headerLines.push_back("Cookie: " + cookieText);
  for (const auto& line : HeaderTextLines(headers)) {
    const int colon = TextFind(line, ":");
    if (colon < 0) continue;  // the object refuses a header without a name
    const Text name = TextTrim(TextLeft(line, colon - 1));
    if (name.empty()) continue;
    request.headerLines.push_back(name + ": " + TextTrim(line.substr(static_cast<size_t>(colon))));
  }

  request.body = !options.bodyBytes.empty() ? options.bodyBytes : fetch.body;
  request.sendBody = !request.body.empty();

  HttpResult result = PerformHttp(request);
  Text block;
  Bytes body;
  int status = 0;
  if (result.failure == HttpFailure::None) {
    // The object reports the headers without the status line.
    const size_t lineEnd = result.headerBlock.find("\r\n");
    block = lineEnd == std::string::npos ? Text() : result.headerBlock.substr(lineEnd + 2);
    body = std::move(result.body);
    status = result.status;
  }
  if (options.status != nullptr) *options.status = status;
  DeliverReplyCookies(CaptureReplyCookies(block), true, fetch.cookies, fetch.replyCookies,
                      fetch.replyHeaders);
  return body;
}

}  // namespace tarvelin
