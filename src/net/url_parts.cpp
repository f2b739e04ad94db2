#include <cstdlib>

#include "net/page_fetch.h"
#include "net/text.h"

namespace tarvelin {

Text UrlHost(const Text& url, bool mainDomain, bool keepPort) {
  Text address = TextToLowerAscii(url);
  if (address.empty() || address.back() != '/') address += "/";
  Text scheme = "https://";
  if (address.rfind("https://", 0) != 0) {
    if (TextFind(address, "http://") < 0) address = "http://" + address;
    scheme = "http://";
  }
  Text host = TextBetween(address, scheme, "/");
  if (mainDomain) {
    const auto labels = TextSplit(host, ".");
    if (labels.size() > 1) host = labels[labels.size() - 2] + "." + labels.back();
  }
  if (!keepPort) {
    const int colon = TextFind(host, ":");
    if (colon > 0) host = TextLeft(host, colon - 1);
  }
  return host;
}

int UrlPort(const Text& url) {
  const Text host = UrlHost(url, false, true);
  const int colon = TextFindReverse(host, ":");
  if (TextFind(host, ":") < 0 || colon < 0) {
    return TextToLowerAscii(url).rfind("https", 0) == 0 ? 443 : 80;
  }
  return std::atoi(host.c_str() + colon);
}

Text UrlPath(const Text& url) {
  const int hostAt = TextFind(url, UrlHost(url, false, false), 1, true);
  const int slash = hostAt < 0 ? -1 : TextFind(url, "/", hostAt, true);
  if (slash < 0) return "/";
  return url.substr(static_cast<size_t>(slash) - 1);
}

}  // namespace tarvelin
