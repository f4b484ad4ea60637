#pragma once

#include <cstdint>

#include "pads/control_pad.h"

namespace zarvel {

// The data line's level as read after the latch pulse and after each clock pulse: 0 when the
// line was low, non-zero when it was high. Slot i holds the i-th bit shifted out.
using PadLineLevels = PerButton<uint8_t>;

// Drives one serial read of the pad: a latch pulse, then for each of its buttons a read of the
// data line and a clock pulse. Afterwards latch and clock are low. No delay anywhere.
void ShiftPadLines(const ControlPad& pad, ParallelPort& port, PortIo& io, PadLineLevels& levels);

// Turns the levels of one read into button states: a low data line is a pressed button.
void DecodePadLines(const PadLineLevels& levels, int16_t buttonCount, PerButton<uint8_t>& raw);

// The read routine of both pad kinds: ShiftPadLines into the pad's `raw` through DecodePadLines.
void ReadPad(ControlPad& pad, ParallelPort& port, PortIo& io);

// The connected test: a pad is taken as connected unless it reads up and down, or left and
// right, both pressed. A pad whose data line is not driven reads every button as pressed, and
// no real pad can press up with down or left with right.
bool PadSeemsConnected(const ControlPad& pad);

}  // namespace zarvel
