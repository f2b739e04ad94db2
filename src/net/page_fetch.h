#pragma once
// The three page-fetch clients over one libcurl core. Optional in/out parameters are
// pointers: nullptr means "left out" (which matters for `cookies`).

#include "port/types.h"

namespace tarvelin {

struct PageFetch {
  Text url{};
  int method = 0;  // 0 GET, 1 POST, 2 HEAD (3 PUT for FetchWinHttp)
  Text body{};
  Text* cookies = nullptr;       // in/out: merged with the reply's cookies
  Text* replyCookies = nullptr;  // out
  Text* headers = nullptr;       // in/out (FetchWinHttp: in only)
  Text* replyHeaders = nullptr;  // out
};

struct WinInetOptions {
  bool noRedirect = false;
  Bytes* bodyBytes = nullptr;  // in/out; takes precedence over body
  Text proxy{};                // host:port, empty for direct
};
Bytes FetchWinInet(const PageFetch& fetch, const WinInetOptions& options = {});

struct RequestObjectOptions {
  int* status = nullptr;  // out: HTTP status, 0 when no reply
  bool noRedirect = false;
  Bytes bodyBytes{};
  Text proxy{};
  int timeoutSeconds = 0;  // -1 leave alone, <1 means 15, else seconds
  Text proxyUser{};
  Text proxyPassword{};
  int credentialFlags = 1;
};
Bytes FetchRequestObject(const PageFetch& fetch, const RequestObjectOptions& options = {});

struct WinHttpOptions {
  bool noRedirect = false;
  Text serverUser{};
  Text serverPassword{};
  Text proxy{};
  Text proxyUser{};
  Text proxyPassword{};
  int timeoutSeconds = 0;       // <1 means 30
  Text* location = nullptr;     // out
  Text* statusText = nullptr;   // out: "200 OK" or a numbered failure message
  Bytes* replyBytes = nullptr;  // out: the body as received
};
Text FetchWinHttp(const PageFetch& fetch, const WinHttpOptions& options = {});

Text UrlHost(const Text& url, bool mainDomain = false, bool keepPort = false);
int UrlPort(const Text& url);
Text UrlPath(const Text& url);

}  // namespace tarvelin
