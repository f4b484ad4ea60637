#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zarvel {

// The libevdev calls behind the virtual keyboard, one method each, so that tests can put a
// fake in their place. A device is an opaque handle; failures are negative errno values.
class EvdevCalls {
 public:
  using Device = void*;

  virtual ~EvdevCalls() = default;

  // Creates a keyboard device named `name` with exactly the keys of `keyCodes`, on an open
  // /dev/uinput. 0 and the device, or -errno.
  virtual int CreateKeyboard(int uinputFd, const std::string& name,
                             std::span<const uint16_t> keyCodes, Device& device) = 0;
  // Posts one event. 0 or -errno.
  virtual int WriteEvent(Device device, uint16_t type, uint16_t code, int32_t value) = 0;
  // Removes the device from the system; the uinput file stays open for the next one.
  virtual void Destroy(Device device) = 0;
};

// The real calls, through libevdev.
class LibevdevCalls : public EvdevCalls {
 public:
  int CreateKeyboard(int uinputFd, const std::string& name, std::span<const uint16_t> keyCodes,
                     Device& device) override;
  int WriteEvent(Device device, uint16_t type, uint16_t code, int32_t value) override;
  void Destroy(Device device) override;
};

}  // namespace zarvel
