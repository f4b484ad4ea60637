#include "pads/pad_read.h"

#include "pads/genesis_read.h"

#include <algorithm>
#include <cstddef>

#include "hardware/game_pads.h"
#include "hardware/psx_protocol.h"
#include "pads/parallel_port.h"

namespace zarvel {

void ShiftPadLines(const ControlPad& pad, ParallelPort& port, PortIo& io, PadLineLevels& levels) {
  // The latch pulse captures every button; the data line then shows the first one.
  AssertPin(port, io, *pad.latchPin);
  DeassertPin(port, io, *pad.latchPin);
  for (int16_t bit = 0; bit < pad.buttonCount; ++bit) {
    levels[static_cast<size_t>(bit)] = ReadPin(port, io, *pad.dataPin);
    // Each clock pulse moves the next button onto the data line.
    AssertPin(port, io, *pad.clockPin);
    DeassertPin(port, io, *pad.clockPin);
  }
}

void DecodePadLines(const PadLineLevels& levels, int16_t buttonCount, PerButton<uint8_t>& raw) {
  for (int16_t bit = 0; bit < buttonCount; ++bit) {
    const size_t i = static_cast<size_t>(bit);
    raw[i] = levels[i] == 0 ? 1 : 0;
  }
}

void ReadPad(ControlPad& pad, ParallelPort& port, PortIo& io) {
  PadLineLevels levels{};
  ShiftPadLines(pad, port, io, levels);
  DecodePadLines(levels, pad.buttonCount, pad.raw);
}

bool PadSeemsConnected(const ControlPad& pad) {
  if (pad.connectedTest == ConnectedTest::kNone) {
    return true;
  }
  if (pad.connectedTest == ConnectedTest::kGrounded) {
    return (pad.identity & kGenesisPresent) != 0;
  }
  if (pad.connectedTest == ConnectedTest::kIdentity) {
    // A dance mat presses up with down by design; its identity byte is the test.
    return IsPsxIdentity(pad.identity);
  }
  const bool upAndDown = pad.raw[kButtonUp] != 0 && pad.raw[kButtonDown] != 0;
  const bool leftAndRight = pad.raw[kButtonLeft] != 0 && pad.raw[kButtonRight] != 0;
  return !upAndDown && !leftAndRight;
}

bool FollowPadPresence(ControlPad& pad) {
  bool changed = false;
  if (!PadSeemsConnected(pad)) {
    pad.connectedReads = 0;
    changed = !pad.unplugged;
    pad.unplugged = true;
  } else if (pad.unplugged && ++pad.connectedReads >= kReadsToCountAsBack) {
    pad.unplugged = false;
    changed = true;
  }
  if (pad.unplugged) {
    std::fill_n(pad.raw.begin(), pad.buttonCount, uint8_t{0});
  }
  return changed;
}

}  // namespace zarvel
