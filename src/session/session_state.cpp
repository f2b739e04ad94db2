#include "session/session_state.h"

#include "net/cookie_merge.h"

namespace tarvelin {

SessionValues SessionState::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_;
}

void SessionState::Replace(const SessionValues& values) {
  std::lock_guard<std::mutex> lock(mutex_);
  values_ = values;
}

Text SessionState::CookieText() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return values_.cookieText;
}

void SessionState::MergeReplyCookies(const Text& replyCookies) {
  Text received = replyCookies;
  std::lock_guard<std::mutex> lock(mutex_);
  MergeCookies(values_.cookieText, received);
}

Text SessionState::ListingTarget() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listingTarget_;
}

void SessionState::SetListingTarget(const Text& target) {
  std::lock_guard<std::mutex> lock(mutex_);
  listingTarget_ = target;
}

}  // namespace tarvelin
