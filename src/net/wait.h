#pragma once
// Every pause of the engine goes through PumpingWait, so tests can speed waits up and a
// stopped job leaves a wait at once.

#include <functional>

#include "port/types.h"

namespace tarvelin {

// Waits amount x unit (0: ms, 1: s, 2: min, 3: h, other: that many ms). On the thread
// registered as the UI thread, the UI pump runs during the wait. Returns true.
bool PumpingWait(long long amount, int unit = 0);

// Tests: every wait lasts requested x scale (0 makes waits return at once).
void SetWaitScale(double scale);
// The front end registers its UI thread and a function that handles pending events.
void SetUiPump(std::function<void()> pumpEvents);

Text MillisecondStamp();

}  // namespace tarvelin
