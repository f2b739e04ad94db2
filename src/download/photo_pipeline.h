#pragma once
// Fetches the photos of one list page on a few threads, a bounded distance ahead of the
// writer, and hands the results back strictly in list order: names, sequence numbers and
// log lines stay those of a one-at-a-time download. The fetchers run under the job's
// control, so a pause holds them before their next request and a stop ends their transfers.
//
// While photos arrive quickly the writer fetches them itself (more fetchers only cost CPU
// there); once a fetch takes longer than kSlowFetch, latency dominates and the fetchers
// take over.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "download/photo_transfer.h"

namespace tarvelin {
class JobControl;
class SessionState;
}  // namespace tarvelin

namespace tarvelin::download {

class PhotoPipeline {
 public:
  // `threads` below 2 fetches every photo in Take, on the caller's thread.
  PhotoPipeline(SessionState& session, std::vector<PhotoSource> sources, int threads);
  ~PhotoPipeline();
  PhotoPipeline(const PhotoPipeline&) = delete;
  PhotoPipeline& operator=(const PhotoPipeline&) = delete;

  // The outcome of photo `index` (0-based), taken in increasing order; blocks until fetched.
  PhotoOutcome Take(size_t index);

  static constexpr std::chrono::milliseconds kSlowFetch{15};

 private:
  void Fetch();

  SessionState& session_;
  const std::vector<PhotoSource> sources_;
  std::vector<std::optional<PhotoOutcome>> results_;
  JobControl* const control_;
  size_t ahead_;           // how far past the photo being taken the fetchers may go
  size_t next_ = 0;        // next photo to hand to a fetcher
  size_t taking_ = 0;      // the photo the writer waits for
  bool parallel_ = false;  // the fetchers take the photos
  bool closing_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> fetchers_;
};

}  // namespace tarvelin::download
