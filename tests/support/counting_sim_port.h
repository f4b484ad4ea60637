#pragma once

#include <cstdint>

#include "hardware/port_io.h"
#include "platform/sim/sim_parallel_port.h"

namespace zarvel::testing {

// The simulated port as an execution reaches it, counting every access, so that a test can
// hold a read to the number of accesses it may make.
class CountingSimIo : public PortIo {
 public:
  explicit CountingSimIo(SimParallelPort& port) : port_(port) {}
  uint8_t In(uint16_t port) override {
    ++accesses;
    return port_.Read(port);
  }
  void Out(uint16_t port, uint8_t value) override {
    ++accesses;
    port_.Write(port, value);
  }
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}
  int accesses = 0;

 private:
  SimParallelPort& port_;
};

}  // namespace zarvel::testing
