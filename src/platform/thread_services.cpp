#include "platform/thread_services.h"

#include <sys/prctl.h>

#include <chrono>
#include <system_error>

namespace zarvel {
namespace {

// The smallest timer slack the kernel takes, in nanoseconds; 0 would mean "the default".
constexpr unsigned long kPreciseTimerSlack = 1;

}  // namespace

bool UsePreciseSleeps() { return prctl(PR_SET_TIMERSLACK, kPreciseTimerSlack, 0, 0, 0) == 0; }

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

void YieldProcessor() {
  std::this_thread::yield();
}

}  // namespace zarvel
