#pragma once
// The login values shared by the UI thread and the workers. Readers take whole copies;
// reply cookies are merged under the lock so that no merge is lost.

#include <mutex>

#include "port/types.h"

namespace tarvelin {

struct SessionValues {
  Text cookieText;
  Text accountNumber;
  Text skeyToken;
  Text pskeyToken;
  Text pageScript;
  Text pageToken;
};

class SessionState {
 public:
  SessionValues Snapshot() const;
  void Replace(const SessionValues& values);
  Text CookieText() const;
  // Folds the cookies a reply set (as PageFetch's replyCookies) into cookieText.
  void MergeReplyCookies(const Text& replyCookies);

  Text ListingTarget() const;
  void SetListingTarget(const Text& target);

 private:
  mutable std::mutex mutex_;
  SessionValues values_;
  Text listingTarget_;
};

}  // namespace tarvelin
