#include "net/wait.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>

#include "net/job_control.h"

namespace tarvelin {

namespace {

std::atomic<double> gWaitScale{1.0};

struct UiPump {
  std::mutex mutex;
  std::thread::id thread;
  std::function<void()> pump;
};

UiPump& Pump() {
  static UiPump pump;
  return pump;
}

double UnitMilliseconds(int unit) {
  switch (unit) {
    case 0:
      return 1;
    case 1:
      return 1000;
    case 2:
      return 60000;
    case 3:
      return 3600000;
    default:
      return unit;
  }
}

}  // namespace

bool PumpingWait(long long amount, int unit) {
  using Clock = std::chrono::steady_clock;
  const double total = static_cast<double>(amount) * UnitMilliseconds(unit) * gWaitScale.load();
  const auto start = Clock::now();
  const auto length = std::chrono::duration<double, std::milli>(std::max(0.0, total));
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(length);

  std::function<void()> pump;
  {
    auto& ui = Pump();
    std::lock_guard lock(ui.mutex);
    if (ui.pump && ui.thread == std::this_thread::get_id()) pump = ui.pump;
  }
  // Short steps keep the window responsive and notice a stop within the 100 ms promise.
  const auto step = std::chrono::milliseconds(pump ? 10 : 50);
  JobControl* job = CurrentJobControl();
  for (;;) {
    if (job != nullptr && job->Stopped()) break;
    const auto now = Clock::now();
    const bool halted = job != nullptr && job->Halted();
    if (now >= deadline && !halted) break;
    auto slice = now >= deadline ? step : std::min<Clock::duration>(step, deadline - now);
    if (pump) pump();
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(slice);
    if (job != nullptr) {
      job->SleepFor(ms);
    } else {
      std::this_thread::sleep_for(slice);
    }
  }
  return true;
}

void SetWaitScale(double scale) { gWaitScale.store(std::max(0.0, scale)); }

void SetUiPump(std::function<void()> pumpEvents) {
  auto& ui = Pump();
  std::lock_guard lock(ui.mutex);
  ui.thread = std::this_thread::get_id();
  ui.pump = std::move(pumpEvents);
}

Text FormatMillisecondStamp(long long localSeconds, int milliseconds) {
  static constexpr long long kEightHours = 8 * 3600;
  char digits[4];
  std::snprintf(digits, sizeof digits, "%03d", std::clamp(milliseconds, 0, 999));
  return std::to_string(localSeconds - kEightHours) + digits;
}

Text MillisecondStamp() {
  const auto now = std::chrono::system_clock::now();
  const auto sinceEpoch =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const std::time_t seconds = static_cast<std::time_t>(sinceEpoch / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  return FormatMillisecondStamp(static_cast<long long>(seconds) + local.tm_gmtoff,
                                static_cast<int>(sinceEpoch % 1000));
}

}  // namespace tarvelin
