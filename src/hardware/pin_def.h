#pragma once

#include <cstdint>

#include "hardware/parallel_port_registers.h"

namespace zarvel {

// One pad line: the register that carries it, its bit or bits, and whether the port hardware
// inverts it, so that a register bit is the complement of the level at the connector. A line
// soldered to several pins is driven through all their bits at once.
struct PinDef {
  int8_t reg = kDataRegister;
  uint8_t mask = 0;
  uint8_t inverted = 0;
};

// Combined definitions are kept in blocks of exactly this size.
static_assert(sizeof(PinDef) == 3 && alignof(PinDef) == 1);

}  // namespace zarvel
