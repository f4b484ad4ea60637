#pragma once

#include <cstdint>

#include "pads/control_pad.h"

namespace zarvel {

// The data line's level as read after the latch pulse and after each clock pulse: 0 when the
// line was low, non-zero when it was high. Slot i holds the i-th bit shifted out.
using PadLineLevels = PerButton<uint8_t>;

// Drives one serial read of the pad: a latch pulse, then for each of its buttons a read of the
// data line and a clock pulse. Afterwards latch and clock are low. The only waits are the ones
// [config] PadDelay asks for after every write to the port (none by default).
void ShiftPadLines(const ControlPad& pad, ParallelPort& port, PortIo& io, PadLineLevels& levels);

// Turns the levels of one read into button states: a low data line is a pressed button.
void DecodePadLines(const PadLineLevels& levels, int16_t buttonCount, PerButton<uint8_t>& raw);

// The read routine of both pad kinds: ShiftPadLines into the pad's `raw` through DecodePadLines.
void ReadPad(ControlPad& pad, ParallelPort& port, PortIo& io);

// The connected test. A PlayStation pad is connected when its last read brought a known
// identity byte. Any other pad is taken as connected unless it reads up and down, or left and
// right, both pressed. A pad whose data line is not driven reads every button as pressed, and
// no real pad can press up with down or left with right.
bool PadSeemsConnected(const ControlPad& pad);

// How many ticks in a row an unplugged pad must pass the connected test to count as plugged in
// again: one good read of a floating line could be chance.
inline constexpr int8_t kReadsToCountAsBack = 2;

// Follows, from the read just made, whether the pad is plugged in: a read that fails the
// connected test makes it unplugged at once, and an unplugged pad's buttons all count as
// released, so the keys it holds go up through the usual processing and it types nothing
// more. Returns whether the pad was plugged in or unplugged by this read.
bool FollowPadPresence(ControlPad& pad);

}  // namespace zarvel
