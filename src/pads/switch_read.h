#pragma once

#include <cstdint>
#include <span>

#include "pads/control_pad.h"

namespace zarvel {

// The common line's level of each stick at each switch line tried: slot i holds, for the i-th
// button, 0 when the line was low (the switch closed it onto the driven-low line) and non-zero
// when it was high.
using SwitchLevels = PerButton<uint8_t>;

// Tries the switch lines of sticks that share them, one at a time: drives that line low and
// every other one high (one write), then reads each register that carries a common line once.
// Afterwards the last line stays low until the next read drives it high again: a final write
// would cost an access at every tick and change nothing a stick reports.
void ShiftSwitchLines(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io,
                      std::span<SwitchLevels> levels);

// Turns one stick's levels into button states: a low common line is a closed switch.
void DecodeSwitchLevels(const SwitchLevels& levels, ControlPad& pad);

// Reads sticks that share their switch lines together, and one stick by itself.
void ReadSwitchPads(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io);
void ReadAtariPad(ControlPad& pad, ParallelPort& port, PortIo& io);

}  // namespace zarvel
