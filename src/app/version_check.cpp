#include "app/version_check.h"

#include <cstdlib>
#include <string>

#include "app/app_paths.h"
#include "net/codec.h"
#include "net/endpoints.h"
#include "net/page_fetch.h"

namespace tarvelin::app {

Text VersionPageAddress() {
  return Text("http://") + endpoints::MakerSite + "/download/softzuixinv/index.html";
}

Text MakerHomeAddress() { return Text("http://") + endpoints::MakerSite; }

Text LatestVersionIn(const Text& page, const Text& productKey) {
  const Text start = "#" + productKey + "@@";
  const Text end = "#" + productKey;
  const size_t from = page.find(start);
  if (from == Text::npos) return Text();
  const size_t valueStart = from + start.size();
  const size_t to = page.find(end, valueStart);
  if (to == Text::npos) return Text();
  return page.substr(valueStart, to - valueStart);
}

double LeadingNumber(const Text& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number += text[i++];
      digits = true;
    }
  }
  return digits ? std::strtod(number.c_str(), nullptr) : 0.0;
}

void CheckForUpdate(const VersionCheckView& view) {
  const Text current = view.currentVersion();
  PageFetch fetch;
  fetch.url = VersionPageAddress();
  const Bytes reply = FetchWinInet(fetch);
  const Text page = reply.substr(0, reply.find('\0'));
  const Text latest = LatestVersionIn(page, ProductKey);
  view.showLatest(latest);
  if (latest != current && LeadingNumber(latest) - LeadingNumber(current) > 1e-7) {
    const Text message = Utf8ToText(NewVersionText);
    view.showResult(message);
    if (view.confirm(message)) view.openAddress(MakerHomeAddress());
    return;
  }
  view.showResult(Utf8ToText(NoUpdateText));
}

}  // namespace tarvelin::app
