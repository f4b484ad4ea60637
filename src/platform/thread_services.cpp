#include "platform/thread_services.h"

#include <chrono>
#include <system_error>

namespace zarvel {

std::optional<std::thread> StartThread(std::function<void()> entry) {
  try {
    return std::thread(std::move(entry));
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
