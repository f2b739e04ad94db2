#include "net/text.h"

#include <algorithm>

namespace tarvelin {

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool MatchesAt(const Text& text, size_t at, const Text& needle, bool ignoreCase) {
  if (at + needle.size() > text.size()) return false;
  for (size_t i = 0; i < needle.size(); ++i) {
    auto a = static_cast<unsigned char>(text[at + i]);
    auto b = static_cast<unsigned char>(needle[i]);
    if (ignoreCase ? Fold(a) != Fold(b) : a != b) return false;
  }
  return true;
}

// Length of the character that starts at `at`: a lead byte of 0x80 or more takes the next one.
size_t CharLength(const Text& text, size_t at) {
  return (static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size()) ? 2 : 1;
}

bool IsSpaceAt(const Text& text, size_t at, size_t& length) {
  if (text[at] == ' ') {
    length = 1;
    return true;
  }
  if (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0xA1 &&
      static_cast<unsigned char>(text[at + 1]) == 0xA1) {
    length = 2;
    return true;
  }
  return false;
}

}  // namespace

int TextFind(const Text& text, const Text& needle, int start, bool ignoreCase) {
  if (text.empty()) return -1;
  if (needle.empty()) return 1;
  size_t at = start <= 0 ? 0 : static_cast<size_t>(start) - 1;
  while (at + needle.size() <= text.size()) {
    if (MatchesAt(text, at, needle, ignoreCase)) return static_cast<int>(at) + 1;
    at += CharLength(text, at);
  }
  return -1;
}

int TextFindReverse(const Text& text, const Text& needle, int end, bool ignoreCase) {
  if (text.empty()) return -1;
  size_t limit = text.size();  // occurrences must end within the first `limit` bytes
  if (end >= 0) {
    if (end < 1) return -1;
    limit = std::min(limit, static_cast<size_t>(end) - 1);
  }
  if (needle.empty()) return 1;
  int found = -1;
  for (size_t at = 0; at + needle.size() <= limit; at += CharLength(text, at)) {
    if (MatchesAt(text, at, needle, ignoreCase)) found = static_cast<int>(at) + 1;
  }
  return found;
}

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<size_t>(n));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= text.size()) return text;
  return text.substr(text.size() - static_cast<size_t>(n));
}

Text TextMid(const Text& text, int start, int n) {
  if (n <= 0 || start < 1 || static_cast<size_t>(start) > text.size()) return {};
  return text.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(n));
}

Text TextTrim(const Text& text) {
  size_t begin = 0;
  size_t length = 0;
  while (begin < text.size() && IsSpaceAt(text, begin, length)) begin += length;
  size_t end = text.size();
  while (end > begin) {
    if (text[end - 1] == ' ') {
      --end;
    } else if (end - begin >= 2 && static_cast<unsigned char>(text[end - 1]) == 0xA1 &&
               static_cast<unsigned char>(text[end - 2]) == 0xA1) {
      end -= 2;
    } else {
      break;
    }
  }
  return text.substr(begin, end - begin);
}

Text TextRemoveSpaces(const Text& text) {
  Text out;
  out.reserve(text.size());
  size_t at = 0;
  size_t length = 0;
  while (at < text.size()) {
    if (IsSpaceAt(text, at, length)) {
      at += length;
      continue;
    }
    size_t step = CharLength(text, at);
    out.append(text, at, step);
    at += step;
  }
  return out;
}

std::vector<Text> TextSplit(const Text& text, const Text& separator) {
  std::vector<Text> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(text);
    return pieces;
  }
  int from = 1;
  for (;;) {
    int at = TextFind(text, separator, from);
    if (at < 0) break;
    pieces.push_back(text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(at - from)));
    from = at + static_cast<int>(separator.size());
  }
  if (static_cast<size_t>(from) <= text.size())
    pieces.push_back(text.substr(static_cast<size_t>(from) - 1));
  return pieces;
}

Text TextReplace(const Text& text, const Text& from, const Text& to, bool ignoreCase) {
  if (from.empty() || text.empty()) return text;
  Text out;
  int pos = 1;
  for (;;) {
    int at = TextFind(text, from, pos, ignoreCase);
    if (at < 0) break;
    out.append(text, static_cast<size_t>(pos) - 1, static_cast<size_t>(at - pos));
    out += to;
    pos = at + static_cast<int>(from.size());
    if (static_cast<size_t>(pos) > text.size()) break;
  }
  if (static_cast<size_t>(pos) <= text.size()) out.append(text, static_cast<size_t>(pos) - 1);
  return out;
}

Text TextToLowerAscii(const Text& text) {
  Text out = text;
  for (auto& c : out) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
  return out;
}

Text TextBetween(const Text& text, const Text& left, const Text& right, int start,
                 bool ignoreCase) {
  static const Text kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // "#引号"
  const Text l = TextReplace(left, kQuotePlaceholder, "\"");
  const Text r = TextReplace(right, kQuotePlaceholder, "\"");
  int at = TextFind(text, l, start, ignoreCase);
  if (at < 0) return {};
  int p = at + static_cast<int>(l.size());
  int q = TextFind(text, r, p, ignoreCase);
  if (q < 0) return {};
  return TextMid(text, p, q - p);
}

Text TextAfterLast(const Text& text, const Text& marker, int end, bool ignoreCase) {
  const int n = static_cast<int>(text.size());
  int p = TextFindReverse(text, marker, end < 0 ? n : end, ignoreCase);
  if (p < 0) return {};
  return TextRight(text, n - p - static_cast<int>(marker.size()) + 1);
}

}  // namespace tarvelin
