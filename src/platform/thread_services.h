#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace zarvel {

// Starts a thread with the default stack size. Nothing comes back when the system could not
// start one, so the caller can report it instead of waiting for a thread that never ran.
// The threads started here run executions, whose tick period is a sleep after every tick, so
// each asks for precise wake-ups first (see UsePreciseSleeps).
std::optional<std::thread> StartThread(std::function<void()> entry);

// Asks the kernel to wake the calling thread from a sleep as close to its end as it can,
// instead of letting it overshoot by the default timer slack (50 µs). Where that is not
// permitted the thread keeps the default slack; nothing else changes. Returns whether it
// took effect.
bool UsePreciseSleeps();

// Sleeps for the given number of milliseconds; 0 only gives up the rest of the time slice.
void SleepMilliseconds(int32_t milliseconds);

// Sleeps until the monotonic clock reaches `deadline`; at once when it has already passed. The
// deadline is absolute, so no time is lost between working it out and going to sleep.
void SleepUntil(std::chrono::steady_clock::time_point deadline);

// Gives up the rest of the time slice.
void YieldProcessor();

}  // namespace zarvel
