#include "pads/parallel_port.h"

#include <cstddef>

#include "hardware/port_io.h"

namespace zarvel {
namespace {

// The port number of a register: the low 16 bits of the base plus the register offset.
uint16_t RegisterPort(const ParallelPort& port, int8_t reg) {
  return static_cast<uint16_t>(port.base + reg);
}

}  // namespace

void SetPinBits(ParallelPort& port, PortIo& io, const PinDef& pin, bool clear) {
  uint8_t& shadow = port.shadow[static_cast<size_t>(pin.reg)];
  shadow =
      clear ? static_cast<uint8_t>(shadow & ~pin.mask) : static_cast<uint8_t>(shadow | pin.mask);
  io.Out(RegisterPort(port, pin.reg), shadow);
}

void AssertPin(ParallelPort& port, PortIo& io, const PinDef& pin) {
  SetPinBits(port, io, pin, pin.inverted != 0);
}

void DeassertPin(ParallelPort& port, PortIo& io, const PinDef& pin) {
  SetPinBits(port, io, pin, pin.inverted == 0);
}

uint8_t ReadPin(ParallelPort& port, PortIo& io, const PinDef& pin) {
  const bool openCollector = pin.reg == kControlRegister;
  if (openCollector) {
    AssertPin(port, io, pin);
  }
  uint8_t value = io.In(RegisterPort(port, pin.reg));
  if (pin.inverted != 0) {
    value = static_cast<uint8_t>(~value);
  }
  value &= pin.mask;
  if (openCollector) {
    DeassertPin(port, io, pin);
  }
  return value;
}

}  // namespace zarvel
