#pragma once

#include <array>
#include <cstdint>

#include "hardware/pin_def.h"

namespace zarvel {

// Connector pins 0 to 17 have a definition; 18 to 25 are ground.
inline constexpr int32_t kPinTableSize = 18;
inline constexpr int32_t kNoPin = 0;  // Pin 0 names no line at all (mask 0).

// The fixed definition of every connector pin of a standard PC parallel port, indexed by pin
// number. Shared by every pad and never changed.
extern const std::array<PinDef, kPinTableSize> PinTable;

}  // namespace zarvel
