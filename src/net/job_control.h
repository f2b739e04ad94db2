#pragma once
// Cooperative pause and stop of a worker. A worker installs its control with
// ScopedJobControl; the HTTP core and PumpingWait check it at every safe point: a halted
// worker blocks before it starts anything, a stopped one abandons a transfer or a wait
// within about 100 ms.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tarvelin {

class JobControl {
 public:
  void Halt();  // halts nest: each Halt needs a Release
  void Release();
  void Stop();  // ends the job for good; wakes a halted worker
  bool Stopped() const;
  bool Halted() const;  // halted and not stopped
  // Blocks while halted; returns false when the job is stopped.
  bool Checkpoint();
  // Sleeps for `duration` or until the job is stopped; false when it is stopped.
  bool SleepFor(std::chrono::milliseconds duration);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  int halts_ = 0;
  bool stopped_ = false;
};

// The control of the calling thread, or nullptr.
JobControl* CurrentJobControl();

class ScopedJobControl {
 public:
  explicit ScopedJobControl(JobControl* control);
  ~ScopedJobControl();
  ScopedJobControl(const ScopedJobControl&) = delete;
  ScopedJobControl& operator=(const ScopedJobControl&) = delete;

 private:
  JobControl* previous_;
};

// True when the calling thread's job is stopped (false without a job).
bool JobStopped();
// Blocks while the calling thread's job is halted; false when it is stopped.
bool JobCheckpoint();

}  // namespace tarvelin
