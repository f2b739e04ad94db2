#pragma once
// Requests that carry the session's cookie text: the cookies go only to hosts inside the
// service's cookie domain, and the reply's cookies are folded back into the session.

#include "net/page_fetch.h"
#include "port/types.h"

namespace tarvelin {

class SessionState;

bool InCookieDomain(const Text& url);

// FetchWinInet GET of `url` with the session's cookies.
Bytes SessionFetchWinInet(SessionState& session, const Text& url);
// FetchWinHttp GET of `url` with the session's cookies and `headers`.
Text SessionFetchWinHttp(SessionState& session, const Text& url, const Text& headers);
// FetchRequestObject GET (timeoutSeconds 0: the client's default); `status` receives the reply status (0 without a reply).
Bytes SessionFetchRequestObject(SessionState& session, const Text& url, const Text& headers,
                              int timeoutSeconds, int* status);

}  // namespace tarvelin
