#pragma once

#include <cstdint>

namespace zarvel {

// The port's three registers, as offsets from its base address.
inline constexpr int8_t kDataRegister = 0;     // Eight output lines, pins 2 to 9.
inline constexpr int8_t kStatusRegister = 1;   // Input lines, pins 10, 11, 12, 13 and 15.
inline constexpr int8_t kControlRegister = 2;  // Open-collector lines, pins 1, 14, 16 and 17.
inline constexpr int kRegisterCount = 3;

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
