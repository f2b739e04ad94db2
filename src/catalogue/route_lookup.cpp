#include "catalogue/route_lookup.h"

#include "net/endpoints.h"
#include "net/page_fetch.h"
#include "net/text.h"

namespace tarvelin {

Text PhotoHostFromRoutes(const Text& reply) {
  // Every route entry begins with {"r": and so gets a line of its own.
  const Text text = TextReplace(reply, "{\"r\":", "\r\n");
  const Text backup = TextBetween(text, "default\":\"", "\"") + "_bak";
  for (const Text& line : TextSplit(text, "\r\n")) {
    if (TextFind(line, backup, 1, true) > 0) return TextBetween(line, "p\":\"", "\"");
  }
  return Text();
}

Text LookupPhotoHost(const Text& listingTarget) {
  PageFetch fetch;
  fetch.url = Text("https://") + endpoints::ProxyHost + "/proxy/domain/" +
              endpoints::RouteStoreHost + "/GetRoute?UIN=" + listingTarget +
              "&type=json&version=2&json_esc=1&";
  return PhotoHostFromRoutes(FetchWinInet(fetch));
}

}  // namespace tarvelin
