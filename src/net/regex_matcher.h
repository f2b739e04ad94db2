#pragma once
// Case-insensitive, multi-line, global regular expression over characters (PCRE2, UTF mode).

#include <memory>

#include "port/types.h"

namespace tarvelin {

class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher();
  RegexMatcher(const RegexMatcher&) = delete;
  RegexMatcher& operator=(const RegexMatcher&) = delete;

  // Runs pattern over subject, keeping all matches; false when the pattern is refused.
  bool Execute(const Text& pattern, const Text& subject);
  // Group `group` (1-based) of match `match` (1-based); empty when absent.
  Text SubmatchText(int match, int group) const;
  int MatchCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarvelin
