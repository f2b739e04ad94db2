#include "net/job_control.h"

namespace tarvelin {

namespace {
thread_local JobControl* tCurrent = nullptr;
}

void JobControl::Halt() {
  std::lock_guard lock(mutex_);
  ++halts_;
}

void JobControl::Release() {
  {
    std::lock_guard lock(mutex_);
    if (halts_ > 0) --halts_;
  }
  changed_.notify_all();
}

void JobControl::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

bool JobControl::Stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

bool JobControl::Halted() const {
  std::lock_guard lock(mutex_);
  return halts_ > 0 && !stopped_;
}

bool JobControl::Checkpoint() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return stopped_ || halts_ == 0; });
  return !stopped_;
}

bool JobControl::SleepFor(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, duration, [this] { return stopped_; });
  return !stopped_;
}

JobControl* CurrentJobControl() { return tCurrent; }

ScopedJobControl::ScopedJobControl(JobControl* control) : previous_(tCurrent) {
  tCurrent = control;
}
ScopedJobControl::~ScopedJobControl() { tCurrent = previous_; }

bool JobStopped() { return tCurrent != nullptr && tCurrent->Stopped(); }

bool JobCheckpoint() { return tCurrent == nullptr || tCurrent->Checkpoint(); }

}  // namespace tarvelin
