#include "download/photo_pipeline.h"

#include <algorithm>

#include "net/job_control.h"

namespace tarvelin::download {

PhotoPipeline::PhotoPipeline(SessionState& session, std::vector<PhotoSource> sources, int threads)
    : session_(session),
      sources_(std::move(sources)),
      results_(sources_.size()),
      control_(CurrentJobControl()),
      ahead_(threads > 1 ? static_cast<size_t>(threads) * 2 : 0) {
  if (threads < 2) return;
  const size_t count = std::min(sources_.size(), static_cast<size_t>(threads));
  for (size_t i = 0; i < count; ++i) fetchers_.emplace_back(&PhotoPipeline::Fetch, this);
}

PhotoPipeline::~PhotoPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  for (std::thread& fetcher : fetchers_) fetcher.join();
}

void PhotoPipeline::Fetch() {
  ScopedJobControl scoped(control_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] {
      return closing_ || next_ >= sources_.size() || (parallel_ && next_ <= taking_ + ahead_);
    });
    if (closing_ || next_ >= sources_.size()) return;
    const size_t index = next_++;
    lock.unlock();
    PhotoOutcome outcome = FetchPhoto(session_, sources_[index]);
    lock.lock();
    results_[index] = std::move(outcome);
    changed_.notify_all();
  }
}

PhotoOutcome PhotoPipeline::Take(size_t index) {
  std::unique_lock<std::mutex> lock(mutex_);
  taking_ = index;
  if (!parallel_ && next_ == index) {
    // Fetched here while photos come quickly: a handover to a fetcher would only cost time.
    ++next_;
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    PhotoOutcome outcome = FetchPhoto(session_, sources_[index]);
    if (!fetchers_.empty() && std::chrono::steady_clock::now() - start > kSlowFetch) {
      lock.lock();
      parallel_ = true;
      changed_.notify_all();
    }
    return outcome;
  }
  changed_.notify_all();
  changed_.wait(lock, [&] { return results_[index].has_value(); });
  PhotoOutcome outcome = std::move(*results_[index]);
  results_[index].reset();
  return outcome;
}

}  // namespace tarvelin::download
