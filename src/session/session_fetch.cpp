#include "session/session_fetch.h"

#include "net/endpoints.h"
#include "session/session_state.h"

namespace tarvelin {

bool InCookieDomain(const Text& url) {
  const Text host = UrlHost(url);
  const Text domain = endpoints::CookieDomain;
  return host == domain || (host.size() > domain.size() &&
                            host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
                            host[host.size() - domain.size() - 1] == '.');
}

Bytes SessionFetchWinInet(SessionState& session, const Text& url) {
  PageFetch fetch;
  fetch.url = url;
  Text cookies, replyCookies;
  if (InCookieDomain(url)) {
    cookies = session.CookieText();
    fetch.cookies = &cookies;
    fetch.replyCookies = &replyCookies;
  }
  Bytes body = FetchWinInet(fetch);
  if (!replyCookies.empty()) session.MergeReplyCookies(replyCookies);
  return body;
}

Text SessionFetchWinHttp(SessionState& session, const Text& url, const Text& headers) {
  PageFetch fetch;
  fetch.url = url;
  Text cookies, replyCookies, headerText = headers;
  fetch.headers = &headerText;
  if (InCookieDomain(url)) {
    cookies = session.CookieText();
    fetch.cookies = &cookies;
    fetch.replyCookies = &replyCookies;
  }
  Text page = FetchWinHttp(fetch);
  if (!replyCookies.empty()) session.MergeReplyCookies(replyCookies);
  return page;
}

Bytes SessionFetchRequestObject(SessionState& session, const Text& url, const Text& headers,
                              int timeoutSeconds, int* status) {
  PageFetch fetch;
  fetch.url = url;
  Text cookies, replyCookies, headerText = headers;
  fetch.headers = &headerText;
  const bool ours = InCookieDomain(url);
  if (ours) cookies = session.CookieText();
  fetch.cookies = &cookies;
  fetch.replyCookies = &replyCookies;
  RequestObjectOptions options;
  options.status = status;
  options.timeoutSeconds = timeoutSeconds;
  Bytes body = FetchRequestObject(fetch, options);
  if (ours && !replyCookies.empty()) session.MergeReplyCookies(replyCookies);
  return body;
}

}  // namespace tarvelin
