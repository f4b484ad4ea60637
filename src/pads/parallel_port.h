#pragma once

#include <array>
#include <cstdint>

#include "hardware/pin_def.h"

namespace zarvel {

class PortIo;

// The one parallel port all pads share. `base` comes from the [config] item Port at the start
// of every execution. The shadow bytes are the last values written to each register; they are
// never read back from the hardware and outlive the execution that wrote them, so each
// execution starts from the lines the previous one left.
struct ParallelPort {
  int32_t base = 0;
  std::array<uint8_t, kRegisterCount> shadow{};
};

// Sets (or, with `clear`, clears) the pin's bits in its register's shadow byte and writes the
// whole byte to the register, so the other lines of the register keep their levels.
void SetPinBits(ParallelPort& port, PortIo& io, const PinDef& pin, bool clear);

// Drives the line(s) high at the connector, whatever the hardware's inversion: one write.
void AssertPin(ParallelPort& port, PortIo& io, const PinDef& pin);

// Drives the line(s) low at the connector: one write.
void DeassertPin(ParallelPort& port, PortIo& io, const PinDef& pin);

// Reads the level of the line(s): for one line, 0 when it is low at the connector and non-zero
// when it is high. A control-register line is open-collector, so it is driven high for the
// read (letting a pad pull it low) and left low afterwards.
uint8_t ReadPin(ParallelPort& port, PortIo& io, const PinDef& pin);

}  // namespace zarvel
