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
  // Microseconds waited after every write, for ports that change their lines faster than a
  // pad's shift register follows: the [config] item PadDelay, set by every execution before
  // its pads are found. 0 waits not at all and never looks at the clock.
  int32_t writeDelayUs = 0;
  // Microseconds each half of a PlayStation pad's clock lasts: the [config] item PsxDelay.
  int32_t psxDelayUs = 0;
};

// Waits the given microseconds (none at all for 0) without giving the processor up.
void WaitMicroseconds(int32_t us);

// The bits of one register that a single write sets and clears to drive some of its lines to
// the levels wanted, each line's inversion by the hardware taken into account.
struct RegisterBits {
  uint8_t set = 0;
  uint8_t clear = 0;
};

// Adds to `bits` what drives the pin's line(s) high at the connector (a control-register line:
// lets a pad pull it low). The same bits swapped drive them low.
void AddAssertedPin(RegisterBits& bits, const PinDef& pin);

// Sets and clears the given bits of the register's shadow byte and writes the whole byte to
// the register: one write, however many lines change.
void WriteRegisterBits(ParallelPort& port, PortIo& io, int8_t reg, RegisterBits bits);

// The byte the register shows now, as the hardware has it: one read.
uint8_t ReadRegister(const ParallelPort& port, PortIo& io, int8_t reg);

// The level of the pin's line(s) in a byte read from its register: for one line, 0 when it is
// low at the connector and non-zero when it is high.
uint8_t PinLevelIn(const PinDef& pin, uint8_t registerByte);

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
