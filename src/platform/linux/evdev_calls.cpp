#include "platform/linux/evdev_calls.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

namespace zarvel {

int LibevdevCalls::CreateKeyboard(int uinputFd, const std::string& name,
                                  std::span<const uint16_t> keyCodes, Device& device) {
  libevdev* description = libevdev_new();
  if (description == nullptr) {
    return -ENOMEM;
  }
  libevdev_set_name(description, name.c_str());
  libevdev_enable_event_type(description, EV_KEY);
  for (const uint16_t code : keyCodes) {
    libevdev_enable_event_code(description, EV_KEY, code, nullptr);
  }
  libevdev_uinput* created = nullptr;
  const int result = libevdev_uinput_create_from_device(description, uinputFd, &created);
  // The created device keeps what it needs; the description is only a template.
  libevdev_free(description);
  if (result < 0) {
    return result;
  }
  device = created;
  return 0;
}

int LibevdevCalls::WriteEvent(Device device, uint16_t type, uint16_t code, int32_t value) {
  return libevdev_uinput_write_event(static_cast<libevdev_uinput*>(device), type, code, value);
}

void LibevdevCalls::Destroy(Device device) {
  libevdev_uinput_destroy(static_cast<libevdev_uinput*>(device));
}

}  // namespace zarvel
