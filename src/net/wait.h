#pragma once
// Every pause of the engine goes through PumpingWait, so tests can speed waits up and a
// stopped job leaves a wait at once.

#include <functional>

#include "port/types.h"

namespace tarvelin {

// Waits amount x unit (0: ms, 1: s, 2: min, 3: h, other: that many ms). On the thread
// registered as the UI thread, the UI pump runs during the wait. The calling thread's job
// (job_control.h) ends the wait early when stopped and prolongs it while halted. Returns true.
bool PumpingWait(long long amount, int unit = 0);

// Tests: every wait lasts requested x scale (0 makes waits return at once).
void SetWaitScale(double scale);
// The front end registers its UI thread and a function that handles pending events.
void SetUiPump(std::function<void()> pumpEvents);

// Local time in ms as a decimal count from 1970-01-01 08:00:00 of the local clock:
// thirteen digits, the same as Unix milliseconds on a UTC+8 clock.
Text MillisecondStamp();
// The stamp of a local wall-clock time given as seconds since 1970-01-01 00:00:00.
Text FormatMillisecondStamp(long long localSeconds, int milliseconds);

}  // namespace tarvelin
