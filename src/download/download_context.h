#pragma once
// What a downloader works with: the guarded window, the session, the program directory,
// the route lookup, the run's tally and its random numbers. Used on the worker only.

#include <atomic>
#include <functional>
#include <random>

#include "download/job_port.h"
#include "port/types.h"

namespace tarvelin {
class SessionState;
}

namespace tarvelin::download {

struct DownloadSummary {
  long long photosWritten = 0;
  long long photosFailed = 0;
  int albumsFailed = 0;
};

class DownloadTally {
 public:
  void PhotoWritten() { photosWritten_.fetch_add(1, std::memory_order_relaxed); }
  void PhotoFailed() { photosFailed_.fetch_add(1, std::memory_order_relaxed); }
  void AlbumFailed() { albumsFailed_.fetch_add(1, std::memory_order_relaxed); }
  DownloadSummary Summary() const {
    return {photosWritten_.load(), photosFailed_.load(), albumsFailed_.load()};
  }

 private:
  std::atomic<long long> photosWritten_{0};
  std::atomic<long long> photosFailed_{0};
  std::atomic<int> albumsFailed_{0};
};

// The photo-list host of a target account (the storage route lookup).
using PhotoHostLookup = std::function<Text(const Text& listingTarget)>;
// The catalogue's storage route lookup.
PhotoHostLookup DefaultPhotoHostLookup();

struct DownloadContext {
  JobPort& port;
  SessionState& session;
  Text programDirectory;
  PhotoHostLookup lookupPhotoHost;
  DownloadTally& tally;
  std::mt19937_64& random;
  int photoThreads = 1;  // photos of one page fetched at once (interface 1)

  long long Random(long long low, long long high) {
    return std::uniform_int_distribution<long long>(low, high)(random);
  }
  // The save folder, or the program directory when it is empty.
  Text BaseFolder(const DownloadSettings& settings) const {
    return settings.saveFolder.empty() ? programDirectory : settings.saveFolder;
  }
};

}  // namespace tarvelin::download
