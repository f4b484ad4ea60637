#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

namespace zarvel {

// Starts a thread with the default stack size. Nothing comes back when the system could not
// start one, so the caller can report it instead of waiting for a thread that never ran.
std::optional<std::thread> StartThread(std::function<void()> entry);

// Sleeps for the given number of milliseconds; 0 only gives up the rest of the time slice.
void SleepMilliseconds(int32_t milliseconds);

// Gives up the rest of the time slice.
void YieldProcessor();

}  // namespace zarvel
