#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "config/pad_sections.h"
#include "hardware/parallel_port_registers.h"
#include "pads/control_pad.h"
#include "pads/parallel_port.h"

namespace zarvel {

// Pads whose latch lines and clock lines are the same, read in one pass: one latch pulse, then
// for each bit one read of every register that carries a data line of theirs and one clock
// pulse. Their control-register data lines are let go high once before the bits and driven low
// once after them.
struct PadGroup {
  PadReadFunc read = nullptr;  // The members' read routine: their protocol.
  const PinDef* latchPin = nullptr;
  const PinDef* clockPin = nullptr;
  const PinDef* commandPin = nullptr;
  std::array<const PinDef*, kMaxSwitchLines> switchPins{};
  // The most buttons of any member: 12 with an SNES pad among them, else 8.
  int16_t bitCount = 0;
  // The members' places in the execution's pads, in discovery order.
  std::array<int16_t, kMaxPads> members{};
  int16_t memberCount = 0;
  // Whether a member's data line is carried by the register, by register offset.
  std::array<bool, kRegisterCount> readsRegister{};
  // What lets every member's control-register data line go high for the pad to pull it low.
  RegisterBits controlDataLines;
};

// How the pads of an execution are read at every tick. Worked out once, after discovery, so
// that the tick only walks fixed arrays.
struct PadGroups {
  // False when [config] PadRead is "each": every pad is then read by itself, with its own read
  // routine, and the groups are left empty.
  bool together = true;
  std::array<PadGroup, kMaxPads> groups{};
  int16_t count = 0;
};

// Sorts the pads into groups by their protocol and their latch, clock and command lines, a group
// for each pair in the order its first pad was found. Lines are compared by what they drive, not by
// where their definitions are kept, since each pin list has a definition of its own.
void GroupPads(std::span<const ControlPad> pads, bool together, PadGroups& groups);

// The raw register bytes of one group read: slot i holds, at the offset of each register the
// group reads, the byte read before the i-th clock pulse.
using GroupLineBytes = PerButton<std::array<uint8_t, kRegisterCount>>;

// Drives one read of the group's pads and fills `bytes`. Afterwards latch, clock and the
// control-register data lines are low.
void ShiftGroupLines(const PadGroup& group, ParallelPort& port, PortIo& io, GroupLineBytes& bytes);

// Turns a group read into one member's button states: its own data line picked from the bytes
// of its register, then decoded as a read of the pad alone would be.
void DecodeGroupLines(const GroupLineBytes& bytes, ControlPad& pad);

// Reads every pad of the execution once: group by group, or each pad by itself.
void ReadPads(const PadGroups& groups, std::span<ControlPad> pads, ParallelPort& port, PortIo& io);

}  // namespace zarvel
