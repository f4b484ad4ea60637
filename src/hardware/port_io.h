#pragma once

#include <cstdint>

namespace zarvel {

// The PC's I/O ports: 0x0 to 0xFFFF. The ports below 0x100 belong to the devices on its main
// board (timer, interrupt and DMA controllers, keyboard controller); cards start above them.
inline constexpr uint32_t kLastIoPort = 0xFFFF;
inline constexpr uint32_t kFirstCardPort = 0x100;

// The only road from an execution to the hardware: single-byte reads and writes of 16-bit
// I/O ports, and the processor's interrupt flag. Hosts hand an execution the implementation
// that fits where it runs (the simulated PC, the real port, or a recording fake in tests).
class PortIo {
 public:
  virtual ~PortIo() = default;

  virtual uint8_t In(uint16_t port) = 0;
  virtual void Out(uint16_t port, uint8_t value) = 0;
  virtual void DisableInterrupts() = 0;
  virtual void EnableInterrupts() = 0;
};

}  // namespace zarvel
