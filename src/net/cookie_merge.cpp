#include "net/cookie_merge.h"

#include <algorithm>
#include <vector>

#include "net/text.h"

namespace tarvelin {

Text CookieName(const Text& piece) {
  int eq = TextFind(piece, "=");
  if (eq < 0) return TextTrim(piece);
  return TextTrim(TextLeft(piece, eq - 1));
}

Text MergeCookies(Text& cookies, Text& received) {
  cookies = TextRemoveSpaces(cookies);
  received = TextRemoveSpaces(received);

  std::vector<Text> working = TextSplit(received, ";");
  std::vector<Text> names;
  names.reserve(working.size());
  for (const auto& piece : working) names.push_back(CookieName(piece));
  for (const auto& kept : TextSplit(cookies, ";")) {
    Text name = CookieName(kept);
    if (std::find(names.begin(), names.end(), name) != names.end()) continue;
    working.push_back(kept);
    names.push_back(std::move(name));
  }

  static const Text kDeleted = "=deleted";
  Text joined;
  for (const auto& piece : working) {
    if (piece.size() >= kDeleted.size() &&
        piece.compare(piece.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
      continue;
    joined += piece;
    joined += "; ";
  }
  if (joined.size() >= 2) joined.resize(joined.size() - 2);

  std::vector<Text> unique;
  for (auto& piece : TextSplit(joined, "; ")) {
    if (std::find(unique.begin(), unique.end(), piece) == unique.end())
      unique.push_back(std::move(piece));
  }
  Text result;
  for (size_t i = 0; i < unique.size(); ++i) {
    if (i > 0) result += "; ";
    result += unique[i];
  }
  cookies = result;
  return result;
}

}  // namespace tarvelin
