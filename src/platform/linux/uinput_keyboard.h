#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hardware/held_keys.h"
#include "platform/linux/evdev_calls.h"
#include "platform/linux/system_calls.h"

namespace zarvel {

inline constexpr const char* kUinputPath = "/dev/uinput";
inline constexpr const char* kVirtualKeyboardName = "Zarvel virtual keyboard";

// /dev/uinput, open for as long as the host lives, so that each execution can make its own
// keyboard even after a host started through sudo has given up root.
class UinputDevice {
 public:
  struct Opened {
    std::unique_ptr<UinputDevice> device;
    std::string error;
  };
  static Opened Open(SystemCalls& calls, const std::string& path = kUinputPath);

  ~UinputDevice();
  UinputDevice(const UinputDevice&) = delete;
  UinputDevice& operator=(const UinputDevice&) = delete;

  int Fd() const { return fd_; }

 private:
  UinputDevice(SystemCalls& calls, int fd) : calls_(calls), fd_(fd) {}

  SystemCalls& calls_;
  int fd_;
};

// The keyboard one execution types on: a virtual input device with every key of the scan-code
// table, fed the scan-code bytes that the emulated keyboard controller hands the system. Each
// byte is decoded as the system's keyboard driver would decode it, and a key event follows
// every completed key, each with its own report. When the keyboard goes, at the end of the
// execution, every key it still holds is released first, so no key is left stuck down.
class UinputKeyboard {
 public:
  struct Created {
    std::unique_ptr<UinputKeyboard> keyboard;
    std::string error;
  };
  static Created Create(UinputDevice& uinput, EvdevCalls& evdev);

  ~UinputKeyboard();
  UinputKeyboard(const UinputKeyboard&) = delete;
  UinputKeyboard& operator=(const UinputKeyboard&) = delete;

  // One byte delivered by the controller, in the order the system would read them.
  void Deliver(uint8_t byte);

  // The Linux key codes currently held down, in the order they went down.
  std::vector<uint16_t> HeldCodes() const;

 private:
  UinputKeyboard(EvdevCalls& evdev, EvdevCalls::Device device) : evdev_(evdev), device_(device) {}

  void Send(uint16_t code, int32_t value);

  EvdevCalls& evdev_;
  EvdevCalls::Device device_;
  HeldKeys held_;
};

}  // namespace zarvel
