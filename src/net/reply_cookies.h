#pragma once
// The reply cookie rule shared by the page-fetch clients.

#include "port/types.h"

namespace tarvelin {

struct ReplyCookies {
  Text headerBlock;  // every "Set-Cookie", in any letter case, written as "Set-Cookie"
  Text cookies;      // name=value of each Set-Cookie line, joined by "; "
};

ReplyCookies CaptureReplyCookies(const Text& headerBlock);

// Hands the captured block and cookies to the caller's out parameters; merges them into
// `cookies` when it is given and `merge` is set. replyCookies loses its spaces in the merge.
void DeliverReplyCookies(const ReplyCookies& captured, bool merge, Text* cookies,
                         Text* replyCookies, Text* replyHeaders);

}  // namespace tarvelin
