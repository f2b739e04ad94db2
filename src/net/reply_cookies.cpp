#include "net/reply_cookies.h"

#include "net/cookie_merge.h"
#include "net/text.h"

namespace tarvelin {

ReplyCookies CaptureReplyCookies(const Text& headerBlock) {
  ReplyCookies out;
  out.headerBlock = TextReplace(headerBlock, "Set-Cookie", "Set-Cookie", true);
  for (const Text& line : TextSplit(out.headerBlock, "\r\n")) {
    if (TextFind(line, "Set-Cookie") < 0) continue;
    Text value;
    if (TextFind(line, ";") > 0) {
      value = TextTrim(TextBetween(line, "Set-Cookie:", ";"));
    } else {
      value = TextTrim(TextReplace(line, "Set-Cookie:", "", true));
    }
    out.cookies += value;
    out.cookies += "; ";
  }
  if (out.cookies.size() >= 2) out.cookies.resize(out.cookies.size() - 2);
  return out;
}

void DeliverReplyCookies(const ReplyCookies& captured, bool merge, Text* cookies,
                         Text* replyCookies, Text* replyHeaders) {
  if (replyHeaders != nullptr) *replyHeaders = captured.headerBlock;
  Text received = captured.cookies;
  if (merge) {
    Text scratch;
    MergeCookies(cookies != nullptr ? *cookies : scratch, received);
  }
  if (replyCookies != nullptr) *replyCookies = received;
}

}  // namespace tarvelin
