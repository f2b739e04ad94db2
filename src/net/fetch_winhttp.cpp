#include "net/codec.h"
#include "net/header_text.h"
#include "net/http_core.h"
#include "net/page_fetch.h"
#include "net/regex_matcher.h"
#include "net/reply_cookies.h"
#include "net/text.h"

namespace tarvelin {

namespace {

// Numbered messages, code page 936.
const char* const kMessageBadUrl =
    "701 \xBD\xE2\xCE\xF6URL\xB5\xD8\xD6\xB7\xCA\xA7\xB0\xDC!";  // 701 解析URL地址失败!
const char* const kMessageSendFailed =
    "711 \xB7\xA2\xCB\xCD\xC7\xEB\xC7\xF3\xCA\xA7\xB0\xDC!";  // 711 发送请求失败!
const char* const kMessageNoReply =
    "712 \xB7\xFE\xCE\xF1\xC6\xF7\xCE\xB4\xCF\xEC\xD3\xA6!";  // 712 服务器未响应!
const char* const kMessageReadFailed =
    "713 \xB6\xC1\xC8\xA1\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC!";  // 713 读取数据失败!

struct UrlParts {
  bool secure = false;
  std::string host;
  std::string port;  // empty: the scheme's
  std::string path;  // with the query; "/" alone when the address has no path
};

bool CrackUrl(const Text& url, UrlParts& parts) {
  const Text lower = TextToLowerAscii(url);
  size_t rest;
  if (lower.rfind("https://", 0) == 0) {
    parts.secure = true;
    rest = 8;
  } else if (lower.rfind("http://", 0) == 0) {
    rest = 7;
  } else {
    return false;
  }
  size_t hostEnd = url.find_first_of("/?#", rest);
  if (hostEnd == std::string::npos) hostEnd = url.size();
  std::string authority = url.substr(rest, hostEnd - rest);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority = authority.substr(at + 1);
  const size_t colon = authority.rfind(':');
  if (colon != std::string::npos && authority.find(']') == std::string::npos) {
    parts.port = authority.substr(colon + 1);
    authority.resize(colon);
    if (parts.port.empty() || parts.port.size() > 5 ||
        parts.port.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(parts.port) == 0 || std::stoi(parts.port) > 65535)
      return false;
  }
  if (authority.empty()) return false;
  parts.host = authority;
  if (hostEnd < url.size() && url[hostEnd] == '/') {
    parts.path = url.substr(hostEnd);
    const size_t hash = parts.path.find('#');
    if (hash != std::string::npos) parts.path.resize(hash);
  } else {
    parts.path = "/";
  }
  return true;
}

bool LacksIgnoringCase(const Text& text, const char* search) {
  return TextFind(text, search, 1, true) < 0;
}

// First `characters` characters of a code page 936 text.
Text LeadingCharacters(const Text& text, int characters) {
  size_t at = 0;
  for (int i = 0; i < characters && at < text.size(); ++i) {
    at += (static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size()) ? 2 : 1;
  }
  return text.substr(0, at);
}

Text PageText(const Bytes& body) {
  Text page = body.substr(0, body.find('\0'));
  RegexMatcher matcher;
  if (!matcher.Execute("<meta.+?charset=[^\\w]?([-\\w]+)", LeadingCharacters(page, 1024)))
    return page;
  const Text charset = matcher.SubmatchText(1, 1);
  if (charset.empty() || charset == "gbk" || charset == "gb2312") return page;
  Text converted = CharsetToText(body, charset);
  // A character set that the converter does not know leaves the page as it came.
  if (converted.empty() && !page.empty()) return page;
  return converted;
}

}  // namespace

Text FetchWinHttp(const PageFetch& fetch, const WinHttpOptions& options) {
  auto report = [&options](const char* message) {
    if (options.statusText != nullptr) *options.statusText = message;
  };
  UrlParts parts;
  if (!CrackUrl(fetch.url, parts)) {
    report(kMessageBadUrl);
    return {};
  }
  static const char* const kVerbs[] = {"GET", "POST", "HEAD", "PUT"};
  const int method = fetch.method < 0 || fetch.method > 3 ? 0 : fetch.method;

  HttpRequest request;
  request.url = (parts.secure ? "https://" : "http://") + parts.host +
                (parts.port.empty() ? "" : ":" + parts.port) + parts.path;
  request.verb = kVerbs[method];
  request.connectTimeoutMs = request.idleTimeoutMs =
      SecondsToMs(options.timeoutSeconds > 0 ? options.timeoutSeconds : 30);
  request.followRedirects = !options.noRedirect;
  request.proxy = options.proxy;
  if (!options.serverUser.empty() && !options.serverPassword.empty()) {
    request.serverUser = options.serverUser;
    request.serverPassword = options.serverPassword;
  }
  if (!options.proxyUser.empty() && !options.proxyPassword.empty()) {
    request.proxyUser = options.proxyUser;
    request.proxyPassword = options.proxyPassword;
  }

  Text headers = fetch.headers != nullptr ? *fetch.headers : Text();
  if (!headers.empty()) headers += "\r\n";
  if (LacksIgnoringCase(headers, "User-Agent: "))
    headers +=
        "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
  if (LacksIgnoringCase(headers, "Accept: "))
    headers += "Accept: text/html, application/xhtml+xml, */*\r\n";
  if (LacksIgnoringCase(headers, "Accept-Encoding: "))
    headers += "Accept-Encoding: gbk, GB2312\r\n";
  if (LacksIgnoringCase(headers, "Accept-Language: ")) headers += "Accept-Language: zh-cn\r\n";
  if (TextFind(headers, "Content-Type:") < 0)
    headers += "Content-Type: application/x-www-form-urlencoded\r\n";
  if (LacksIgnoringCase(headers, "Cache-Control: ")) headers += "Cache-Control: no-cache\r\n";
  const Text cookieText = fetch.cookies != nullptr ? *fetch.cookies : Text();
  if (LacksIgnoringCase(headers, "Cookie: ") && !cookieText.empty())
    headers += "Cookie: " + cookieText + "\r\n";
  request.headerLines = HeaderTextLines(headers);
  request.body = fetch.body;
  request.sendBody = !fetch.body.empty() || method == 1 || method == 3;

  HttpResult result = PerformHttp(request);
  switch (result.failure) {
    case HttpFailure::None:
      break;
    case HttpFailure::Setup:
      report(kMessageBadUrl);
      return {};
    case HttpFailure::Connect:
      report(kMessageSendFailed);
      return {};
    case HttpFailure::NoReply:
      report(kMessageNoReply);
      return {};
    case HttpFailure::Stopped:
      report(result.connected ? kMessageNoReply : kMessageSendFailed);
      if (result.status == 0) return {};
      report(kMessageReadFailed);
      return {};
    case HttpFailure::TooLarge:
      report(kMessageReadFailed);
      return {};
    case HttpFailure::Body:
      report(kMessageReadFailed);  // the status line below replaces it; the partial body stays
      break;
  }

  const ReplyCookies captured = CaptureReplyCookies(result.headerBlock);
  const size_t lineEnd = captured.headerBlock.find("\r\n");
  report(TextMid(captured.headerBlock.substr(0, lineEnd), 10, 1 << 20).c_str());
  DeliverReplyCookies(captured, fetch.cookies != nullptr, fetch.cookies, fetch.replyCookies,
                      fetch.replyHeaders);
  if (options.location != nullptr) {
    for (const auto& line : TextSplit(captured.headerBlock, "\r\n")) {
      if (TextToLowerAscii(TextLeft(line, 10)) == "location: ") *options.location = line.substr(10);
    }
  }
  if (options.replyBytes != nullptr) *options.replyBytes = result.body;
  return PageText(result.body);
}

}  // namespace tarvelin
