#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/linux/evdev_calls.h"

namespace zarvel::testing {

// One event posted to a fake virtual device.
struct PostedEvent {
  uint16_t type;
  uint16_t code;
  int32_t value;

  bool operator==(const PostedEvent&) const = default;
};

// libevdev for tests: it remembers the device asked for and every event posted to it.
class FakeEvdevCalls : public EvdevCalls {
 public:
  int CreateKeyboard(int uinputFd, const std::string& name, std::span<const uint16_t> keyCodes,
                     Device& device) override {
    if (createError != 0) {
      return -createError;
    }
    ++created;
    createdOnFd = uinputFd;
    deviceName = name;
    keys.assign(keyCodes.begin(), keyCodes.end());
    device = &created;
    return 0;
  }
  int WriteEvent(Device /*device*/, uint16_t type, uint16_t code, int32_t value) override {
    events.push_back({type, code, value});
    ++written;
    return 0;
  }
  void Destroy(Device /*device*/) override {
    ++destroyed;
    eventsWhenDestroyed = events.size();
  }

  int createError = 0;
  int created = 0;
  int destroyed = 0;
  int createdOnFd = -1;
  std::string deviceName;
  std::vector<uint16_t> keys;
  std::vector<PostedEvent> events;
  // How many events were posted, for a test thread to watch while the execution posts them.
  std::atomic<int> written{0};
  size_t eventsWhenDestroyed = 0;
};

}  // namespace zarvel::testing
