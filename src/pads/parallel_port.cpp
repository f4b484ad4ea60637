#include "pads/parallel_port.h"

#include <chrono>
#include <cstddef>

#include "hardware/port_io.h"

namespace zarvel {
namespace {

// The port number of a register: the low 16 bits of the base plus the register offset.
uint16_t RegisterPort(const ParallelPort& port, int8_t reg) {
  return static_cast<uint16_t>(port.base + reg);
}

// Gives the pads the time the port's PadDelay asks for after a write.
void WaitAfterWrite(const ParallelPort& port) {
  WaitMicroseconds(port.writeDelayUs);
}

}  // namespace

// A busy wait on the steady clock: it allocates nothing and does not depend on how finely the
// system schedules a sleep.
void WaitMicroseconds(int32_t us) {
  if (us <= 0) {
    return;
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(us);
  while (std::chrono::steady_clock::now() < until) {
  }
}

void AddAssertedPin(RegisterBits& bits, const PinDef& pin) {
  // An inverted line is high at the connector when its register bit is clear.
  if (pin.inverted != 0) {
    bits.clear = static_cast<uint8_t>(bits.clear | pin.mask);
  } else {
    bits.set = static_cast<uint8_t>(bits.set | pin.mask);
  }
}

void WriteRegisterBits(ParallelPort& port, PortIo& io, int8_t reg, RegisterBits bits) {
  uint8_t& shadow = port.shadow[static_cast<size_t>(reg)];
  shadow = static_cast<uint8_t>((shadow | bits.set) & ~bits.clear);
  io.Out(RegisterPort(port, reg), shadow);
  WaitAfterWrite(port);
}

uint8_t ReadRegister(const ParallelPort& port, PortIo& io, int8_t reg) {
  return io.In(RegisterPort(port, reg));
}

uint8_t PinLevelIn(const PinDef& pin, uint8_t registerByte) {
  const uint8_t level = pin.inverted != 0 ? static_cast<uint8_t>(~registerByte) : registerByte;
  return static_cast<uint8_t>(level & pin.mask);
}

void SetPinBits(ParallelPort& port, PortIo& io, const PinDef& pin, bool clear) {
  const RegisterBits bits =
      clear ? RegisterBits{.set = 0, .clear = pin.mask} : RegisterBits{.set = pin.mask, .clear = 0};
  WriteRegisterBits(port, io, pin.reg, bits);
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
  const uint8_t value = PinLevelIn(pin, ReadRegister(port, io, pin.reg));
  if (openCollector) {
    DeassertPin(port, io, pin);
  }
  return value;
}

}  // namespace zarvel
