#include "session/request_token.h"

#include <cstdint>
#include <string>

#include "net/regex_matcher.h"

namespace tarvelin {

Text RequestToken(const Text& key) {
  std::uint32_t h = 5381;
  for (unsigned char c : key) h = h + (h << 5) + c;
  return std::to_string(h & 0x7FFFFFFFu);
}

Text CookieToken(const Text& cookieText, const Text& pattern) {
  RegexMatcher matcher;
  matcher.Execute(pattern, cookieText);
  return RequestToken(matcher.SubmatchText(1, 1));
}

}  // namespace tarvelin
