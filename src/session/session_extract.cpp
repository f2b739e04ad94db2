#include "session/session_extract.h"

#include "net/regex_matcher.h"
#include "net/text.h"
#include "session/page_token.h"
#include "session/request_token.h"

namespace tarvelin {

SessionValues ExtractSession(const LoginPage& page) {
  SessionValues values;
  values.cookieText = page.cookieText;
  const Text pairs = "; " + page.cookieText + ";";

  const Text uin = TextBetween(pairs, " uin=", ";");
  RegexMatcher account;
  account.Execute("o0*(\\d+)", uin);
  values.accountNumber = account.SubmatchText(1, 1);

  values.skeyToken = CookieToken(pairs, "; skey=(.*?);");
  values.pskeyToken = CookieToken(pairs, "p_skey=(.*?);");

  values.pageScript =
      TextBetween(page.html, "window.g_qzonetoken = (function(){ try{return ", ";} catch");
  values.pageToken = EvaluatePageToken(values.pageScript);
  return values;
}

void ExtractSession(WindowPort& window, SessionState& state) {
  state.Replace(ExtractSession(window.ReadLoginPage()));
}

}  // namespace tarvelin
