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
  fetcherCount_ = std::min(sources_.size(), static_cast<size_t>(threads));
  for (size_t i = 0; i < fetcherCount_; ++i) fetchers_.emplace_back(&PhotoPipeline::Fetch, this, i);
}

PhotoPipeline::~PhotoPipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  for (std::thread& fetcher : fetchers_) fetcher.join();
}

void PhotoPipeline::Fetch(size_t slot) {
  ScopedJobControl scoped(control_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this, slot] {
      return closing_ || next_ >= sources_.size() || (slot < active_ && next_ <= taking_ + ahead_);
    });
    if (closing_ || next_ >= sources_.size()) return;
    const size_t index = next_++;
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    PhotoOutcome outcome = FetchPhoto(session_, sources_[index]);
    const bool slow = std::chrono::steady_clock::now() - start > kSlowFetch;
    lock.lock();
    if (slow) active_ = fetcherCount_;
    results_[index] = std::move(outcome);
    changed_.notify_all();
  }
}

PhotoOutcome PhotoPipeline::Take(size_t index) {
  if (fetchers_.empty()) return FetchPhoto(session_, sources_[index]);
  std::unique_lock<std::mutex> lock(mutex_);
  taking_ = index;
  changed_.notify_all();
  changed_.wait(lock, [&] { return results_[index].has_value(); });
  PhotoOutcome outcome = std::move(*results_[index]);
  results_[index].reset();
  return outcome;
}

}  // namespace tarvelin::download
