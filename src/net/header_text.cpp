#include "net/header_text.h"

#include "net/text.h"

namespace tarvelin {

std::vector<std::string> HeaderTextLines(const Text& headers) {
  std::vector<std::string> lines;
  for (auto& line : TextSplit(headers, "\r\n")) {
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

long SecondsToMs(long long seconds) {
  if (seconds > 24LL * 3600) seconds = 24LL * 3600;
  return seconds < 1 ? 1 : static_cast<long>(seconds * 1000);
}

}  // namespace tarvelin
