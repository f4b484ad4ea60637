#pragma once

#include <cstdint>

#include "hardware/port_io.h"

namespace zarvel {

// The port an execution drives when its hardware is a mix: the parallel port's three registers
// go to one back end, the keyboard controller's ports (0x60, 0x64) and the interrupt mask
// (0x21), with the interrupt flag, to another, and every other port to the fallback, the
// simulated PC. So one execution can read real pads and type on the simulated keyboard, or
// the other way round.
class RoutingPort : public PortIo {
 public:
  explicit RoutingPort(PortIo& fallback) : fallback_(&fallback) {}

  // The registers at `base`, `base` + 1 and `base` + 2 go to `io`.
  void RouteParallelPort(uint16_t base, PortIo& io);
  // The keyboard controller, the interrupt mask and the interrupt flag go to `io`.
  void RouteKeyboard(PortIo& io);

  uint8_t In(uint16_t port) override;
  void Out(uint16_t port, uint8_t value) override;
  void DisableInterrupts() override;
  void EnableInterrupts() override;

 private:
  PortIo& Route(uint16_t port);

  PortIo* fallback_;
  PortIo* parallel_ = nullptr;
  uint16_t parallelBase_ = 0;
  PortIo* keyboard_ = nullptr;
};

}  // namespace zarvel
