#pragma once

#include <cstdint>

#include "hardware/keyboard_controller.h"
#include "platform/sim/sim_device.h"

namespace zarvel {

// The interrupt mask register of the simulated PC's master interrupt controller, port 0x21.
// It only holds what is written to it: nothing on the simulated PC interrupts.
class SimInterruptMask : public SimDevice {
 public:
  // As a running system leaves it: the timer, keyboard, cascade and floppy lines open.
  static constexpr uint8_t kStartMask = 0xB8;

  bool Claims(uint16_t port) const override { return port == kInterruptMaskPort; }
  uint8_t Read(uint16_t /*port*/) override { return mask_; }
  void Write(uint16_t /*port*/, uint8_t value) override { mask_ = value; }

  uint8_t Mask() const { return mask_; }

 private:
  uint8_t mask_ = kStartMask;
};

}  // namespace zarvel
