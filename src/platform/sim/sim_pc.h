#pragma once

#include <cstdint>
#include <vector>

#include "hardware/port_io.h"
#include "platform/sim/sim_device.h"

namespace zarvel {

// The simulated PC that executions run on when no real hardware is asked for. Devices hang
// on its I/O ports; a port that no device answers reads 0xFF, as an empty ISA bus does, and
// writes to it go nowhere. Interrupts are only remembered: nothing here interrupts.
class SimPc : public PortIo {
 public:
  uint8_t In(uint16_t port) override;
  void Out(uint16_t port, uint8_t value) override;
  void DisableInterrupts() override { interruptsEnabled_ = false; }
  void EnableInterrupts() override { interruptsEnabled_ = true; }

  // Puts a device on the bus. The device must outlive the simulated PC's use of it.
  void Attach(SimDevice& device) { devices_.push_back(&device); }

  bool InterruptsEnabled() const { return interruptsEnabled_; }

  // The tick the execution is in: 0 while it configures, then 1, 2, ... The host moves it.
  void SetTick(int64_t tick) { tick_ = tick; }
  int64_t Tick() const { return tick_; }

 private:
  static constexpr uint8_t kFloatingBus = 0xFF;

  SimDevice* DeviceFor(uint16_t port) const;

  std::vector<SimDevice*> devices_;
  bool interruptsEnabled_ = true;
  int64_t tick_ = 0;
};

}  // namespace zarvel
