#include "net/regex_matcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <vector>

#include "net/codec.h"

namespace tarvelin {

struct RegexMatcher::Impl {
  // matches[m][g]: group g (0 = whole match) of match m, as code page 936 text.
  std::vector<std::vector<Text>> matches;
};

RegexMatcher::RegexMatcher() : impl_(std::make_unique<Impl>()) {}
RegexMatcher::~RegexMatcher() = default;

bool RegexMatcher::Execute(const Text& pattern, const Text& subject) {
  impl_->matches.clear();
  const Bytes utf8Pattern = TextToUtf8(pattern);
  const Bytes utf8Subject = TextToUtf8(subject);

  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  if (context == nullptr) return false;
  pcre2_set_newline(context, PCRE2_NEWLINE_LF);  // "." stops only at a line feed
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  // No PCRE2_UCP: \d and \w stay ASCII-only.
  pcre2_code* code =
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8Pattern.data()), utf8Pattern.size(),
                    PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE, &error, &errorOffset, context);
  pcre2_compile_context_free(context);
  if (code == nullptr) return false;
  pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
  if (data == nullptr) {
    pcre2_code_free(code);
    return false;
  }

  const auto* text = reinterpret_cast<PCRE2_SPTR>(utf8Subject.data());
  const PCRE2_SIZE length = utf8Subject.size();
  PCRE2_SIZE offset = 0;
  while (offset <= length) {
    // The subject is checked as UTF-8 once, not again at every offset.
    const uint32_t options = offset == 0 ? 0 : PCRE2_NO_UTF_CHECK;
    int rc = pcre2_match(code, text, length, offset, options, data, nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc < 0) break;  // a resource limit ends the search with what was found
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data);
    const uint32_t groups = pcre2_get_ovector_count(data);
    std::vector<Text> match;
    match.reserve(groups);
    for (uint32_t g = 0; g < groups; ++g) {
      PCRE2_SIZE from = vector[2 * g];
      PCRE2_SIZE to = vector[2 * g + 1];
      if (g >= static_cast<uint32_t>(rc) || from == PCRE2_UNSET || to < from) {
        match.emplace_back();
      } else {
        match.push_back(Utf8ToText(utf8Subject.substr(from, to - from)));
      }
    }
    impl_->matches.push_back(std::move(match));
    PCRE2_SIZE end = vector[1];
    if (end == vector[0]) {
      // An empty match: step over one character so the search moves on.
      if (end >= length) break;
      ++end;
      while (end < length && (static_cast<unsigned char>(utf8Subject[end]) & 0xC0) == 0x80) ++end;
    }
    offset = end;
  }
  pcre2_match_data_free(data);
  pcre2_code_free(code);
  return true;
}

Text RegexMatcher::SubmatchText(int match, int group) const {
  if (match < 1 || group < 1 || static_cast<size_t>(match) > impl_->matches.size()) return {};
  const auto& groups = impl_->matches[static_cast<size_t>(match) - 1];
  if (static_cast<size_t>(group) >= groups.size()) return {};
  return groups[static_cast<size_t>(group)];
}

int RegexMatcher::MatchCount() const { return static_cast<int>(impl_->matches.size()); }

}  // namespace tarvelin
