#include "net/wait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "net/job_control.h"

namespace tarvelin {
namespace {

using Clock = std::chrono::steady_clock;

long long ElapsedMs(Clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

class WaitTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetWaitScale(0);
    SetUiPump(nullptr);
  }
};

TEST_F(WaitTest, UnitsAndScale) {
  struct Case {
    long long amount;
    int unit;
    double scale;
    long long expectMs;
  };
  const Case cases[] = {{2, 1, 0.01, 20},   {3000, 0, 0.01, 30}, {6, 5, 0.01, 0},
                        {1, 2, 0.0005, 30}, {1, 3, 0.00001, 36}, {-5, 0, 1, 0}};
  for (const auto& c : cases) {
    SetWaitScale(c.scale);
    auto start = Clock::now();
    EXPECT_TRUE(PumpingWait(c.amount, c.unit));
    long long ms = ElapsedMs(start);
    EXPECT_GE(ms, c.expectMs) << c.amount << "x" << c.unit;
    EXPECT_LT(ms, c.expectMs + 250) << c.amount << "x" << c.unit;
  }
}

TEST_F(WaitTest, PumpsOnlyOnTheUiThread) {
  SetWaitScale(0.05);
  int pumped = 0;
  SetUiPump([&pumped] { ++pumped; });
  PumpingWait(1000);  // 50 ms
  EXPECT_GE(pumped, 2);
  const int before = pumped;
  std::thread worker([] { PumpingWait(1000); });
  worker.join();
  EXPECT_EQ(pumped, before);
}

TEST_F(WaitTest, StopEndsAWaitAndHaltProlongsIt) {
  SetWaitScale(1);
  JobControl job;
  Clock::time_point start;
  long long stoppedAfter = -1;
  std::thread worker([&] {
    ScopedJobControl scope(&job);
    start = Clock::now();
    PumpingWait(1, 1);
    stoppedAfter = ElapsedMs(start);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  job.Stop();
  worker.join();
  EXPECT_LT(stoppedAfter, 500);

  SetWaitScale(0);
  JobControl halted;
  halted.Halt();
  bool done = false;
  std::mutex mutex;
  std::thread paused([&] {
    ScopedJobControl scope(&halted);
    PumpingWait(10);
    std::lock_guard lock(mutex);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  {
    std::lock_guard lock(mutex);
    EXPECT_FALSE(done);
  }
  halted.Release();
  paused.join();
  EXPECT_TRUE(done);
}

TEST(JobControl, CheckpointBlocksWhileHaltedAndFailsWhenStopped) {
  JobControl job;
  EXPECT_TRUE(JobCheckpoint());  // no job on this thread
  job.Halt();
  job.Halt();
  job.Release();
  EXPECT_TRUE(job.Halted());
  std::thread releaser([&job] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    job.Release();
  });
  {
    ScopedJobControl scope(&job);
    EXPECT_TRUE(JobCheckpoint());
    EXPECT_FALSE(JobStopped());
  }
  releaser.join();
  job.Halt();
  std::thread stopper([&job] { job.Stop(); });
  EXPECT_FALSE(job.Checkpoint());
  stopper.join();
  EXPECT_EQ(CurrentJobControl(), nullptr);
}

TEST(MillisecondStamp, ThirteenDigitsFromEightOClock) {
  // 2017-04-21 08:00:00 as local wall-clock seconds since 1970-01-01 00:00:00.
  const long long local = 1492761600;
  EXPECT_EQ(FormatMillisecondStamp(local, 7), "1492732800007");
  EXPECT_EQ(FormatMillisecondStamp(local, 45), "1492732800045");
  const Text now = MillisecondStamp();
  EXPECT_EQ(now.size(), 13u);
  EXPECT_EQ(now.find_first_not_of("0123456789"), Text::npos);
}

}  // namespace
}  // namespace tarvelin
