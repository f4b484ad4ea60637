#include "platform/thread_services.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include <chrono>
#include <system_error>

namespace zarvel {
namespace {

// The smallest timer slack the kernel takes, in nanoseconds; 0 would mean "the default".
constexpr unsigned long kPreciseTimerSlack = 1;

}  // namespace

bool UsePreciseSleeps() {
  return prctl(PR_SET_TIMERSLACK, kPreciseTimerSlack, 0, 0, 0) == 0;
}

std::optional<std::thread> StartThread(std::function<void()> entry) {
  try {
    return std::thread([entry = std::move(entry)] {
      UsePreciseSleeps();
      entry();
    });
  } catch (const std::system_error&) {
    return std::nullopt;
  }
}

void SleepMilliseconds(int32_t milliseconds) {
  if (milliseconds <= 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SleepUntil(std::chrono::steady_clock::time_point deadline) {
  // The steady clock is the monotonic clock; the kernel wakes the thread at the deadline itself.
  const auto sinceStart = deadline.time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceStart);
  const timespec when{
      static_cast<time_t>(seconds.count()),
      static_cast<long>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart - seconds).count())};
  // A signal handled meanwhile wakes the sleep early; it goes back to sleep until the deadline.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) == EINTR) {
  }
}

void YieldProcessor() {
  std::this_thread::yield();
}

}  // namespace zarvel
