#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "hardware/psx_protocol.h"
#include "pads/control_pad.h"

namespace zarvel {

// The levels one pad's data line showed through one exchange: byte b's bit i is 1 when the line
// was high at the i-th clock pulse of the b-th byte. Bytes the exchange did not reach are 0.
using PsxFrame = std::array<uint8_t, kPsxFrameBytes>;

// Drives one exchange with PlayStation pads that share select, clock and command, and fills
// each one's frame: select low, the start, read and idle commands, as many idle bytes as the
// longest answer among them announces, select high. Every data line is read at each bit with
// one read of its register. Waits the port's psxDelayUs after each clock edge, twice that
// after select falls. Afterwards select, clock and command are high.
void ShiftPsxLines(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io,
                   std::span<PsxFrame> frames);

// Turns one pad's frame into its identity and button states. A frame without a known identity
// followed by the ready byte is no answer at all: identity 0, nothing pressed. A pressed button
// is a 0 bit; a stick direction is pressed while the stick lies further than the pad's
// analogThreshold percent of its half-travel from the centre that way.
void DecodePsxFrame(const PsxFrame& frame, ControlPad& pad);

// Reads PlayStation pads sharing their select, clock and command lines in one exchange.
void ReadPsxPads(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io);

// The read routine of a PlayStation pad by itself.
void ReadPsxPad(ControlPad& pad, ParallelPort& port, PortIo& io);

}  // namespace zarvel
