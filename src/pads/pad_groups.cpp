#include "pads/pad_groups.h"

#include <algorithm>
#include <cstddef>

#include "pads/genesis_read.h"
#include "pads/pad_read.h"
#include "pads/psx_read.h"
#include "pads/switch_read.h"

namespace zarvel {
namespace {

bool SameLine(const PinDef& a, const PinDef& b) {
  return a.reg == b.reg && a.mask == b.mask && a.inverted == b.inverted;
}

// Lines that need not be there: the same when both are missing or both drive the same pins.
bool SameOptionalLine(const PinDef* a, const PinDef* b) {
  return a == nullptr || b == nullptr ? a == b : SameLine(*a, *b);
}

bool SameSwitches(const PadGroup& group, const ControlPad& pad) {
  for (size_t i = 0; i < group.switchPins.size(); ++i) {
    if (!SameOptionalLine(group.switchPins[i], pad.switchPins[i])) {
      return false;
    }
  }
  return true;
}

// The group that reads with these latch and clock lines, or null when there is none yet.
PadGroup* GroupOf(PadGroups& groups, const ControlPad& pad) {
  for (int16_t g = 0; g < groups.count; ++g) {
    PadGroup& group = groups.groups[static_cast<size_t>(g)];
    if (group.read == pad.read && SameOptionalLine(group.latchPin, pad.latchPin) &&
        SameOptionalLine(group.clockPin, pad.clockPin) &&
        SameOptionalLine(group.commandPin, pad.commandPin) && SameSwitches(group, pad)) {
      return &group;
    }
  }
  return nullptr;
}

// The reader of several pads at once for the kinds that have one: pads of such a kind on shared
// lines are read in one pass of the port, then each decodes its own part.
using ReadTogetherFunc = void (*)(std::span<ControlPad* const> pads, ParallelPort& port,
                                  PortIo& io);
ReadTogetherFunc ReadTogetherOf(PadReadFunc read) {
  if (read == ReadAtariPad) {
    return ReadSwitchPads;
  }
  if (read == ReadPsxPad) {
    return ReadPsxPads;
  }
  return nullptr;
}

void ReadPadGroup(const PadGroup& group, std::span<ControlPad> pads, ParallelPort& port,
                  PortIo& io) {
  if (const ReadTogetherFunc readTogether = ReadTogetherOf(group.read)) {
    std::array<ControlPad*, kMaxPads> members{};
    for (int16_t m = 0; m < group.memberCount; ++m) {
      members[static_cast<size_t>(m)] =
          &pads[static_cast<size_t>(group.members[static_cast<size_t>(m)])];
    }
    readTogether(
        std::span<ControlPad* const>(members.data(), static_cast<size_t>(group.memberCount)), port,
        io);
    return;
  }
  if (group.read == ReadGenesisPad) {
    // A Genesis pad counts its select pulses: pads on one select line cannot be read apart.
    for (int16_t m = 0; m < group.memberCount; ++m) {
      ControlPad& pad = pads[static_cast<size_t>(group.members[static_cast<size_t>(m)])];
      ReadGenesisPad(pad, port, io);
    }
    return;
  }
  GroupLineBytes bytes{};
  ShiftGroupLines(group, port, io, bytes);
  for (int16_t m = 0; m < group.memberCount; ++m) {
    DecodeGroupLines(bytes, pads[static_cast<size_t>(group.members[static_cast<size_t>(m)])]);
  }
}

}  // namespace

void GroupPads(std::span<const ControlPad> pads, bool together, PadGroups& groups) {
  groups = PadGroups{};
  groups.together = together;
  if (!together) {
    return;
  }
  for (size_t i = 0; i < pads.size(); ++i) {
    const ControlPad& pad = pads[i];
    PadGroup* group = GroupOf(groups, pad);
    if (group == nullptr) {
      group = &groups.groups[static_cast<size_t>(groups.count++)];
      group->read = pad.read;
      group->latchPin = pad.latchPin;
      group->clockPin = pad.clockPin;
      group->commandPin = pad.commandPin;
      group->switchPins = pad.switchPins;
    }
    group->members[static_cast<size_t>(group->memberCount++)] = static_cast<int16_t>(i);
    group->bitCount = std::max(group->bitCount, pad.buttonCount);
    if (pad.dataPin == nullptr) {
      continue;  // A Genesis pad reads lines of its own.
    }
    group->readsRegister[static_cast<size_t>(pad.dataPin->reg)] = true;
    if (pad.dataPin->reg == kControlRegister) {
      AddAssertedPin(group->controlDataLines, *pad.dataPin);
    }
  }
}

void ShiftGroupLines(const PadGroup& group, ParallelPort& port, PortIo& io, GroupLineBytes& bytes) {
  // Control-register lines are open-collector: high for the whole read, so the pads can pull
  // them low, instead of around every read of each pad's line.
  const bool controlData = group.readsRegister[static_cast<size_t>(kControlRegister)];
  if (controlData) {
    WriteRegisterBits(port, io, kControlRegister, group.controlDataLines);
  }
  // The latch pulse captures every member's buttons; each data line then shows the first one.
  AssertPin(port, io, *group.latchPin);
  DeassertPin(port, io, *group.latchPin);
  for (int16_t bit = 0; bit < group.bitCount; ++bit) {
    std::array<uint8_t, kRegisterCount>& read = bytes[static_cast<size_t>(bit)];
    for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
      if (group.readsRegister[static_cast<size_t>(reg)]) {
        read[static_cast<size_t>(reg)] = ReadRegister(port, io, reg);
      }
    }
    // Each clock pulse moves every member's next button onto its data line.
    AssertPin(port, io, *group.clockPin);
    DeassertPin(port, io, *group.clockPin);
  }
  if (controlData) {
    const RegisterBits letGo{.set = group.controlDataLines.clear,
                             .clear = group.controlDataLines.set};
    WriteRegisterBits(port, io, kControlRegister, letGo);
  }
}

void DecodeGroupLines(const GroupLineBytes& bytes, ControlPad& pad) {
  PadLineLevels levels{};
  const size_t reg = static_cast<size_t>(pad.dataPin->reg);
  for (int16_t bit = 0; bit < pad.buttonCount; ++bit) {
    const size_t i = static_cast<size_t>(bit);
    levels[i] = PinLevelIn(*pad.dataPin, bytes[i][reg]);
  }
  DecodePadLines(levels, pad.buttonCount, pad.raw);
}

void ReadPads(const PadGroups& groups, std::span<ControlPad> pads, ParallelPort& port, PortIo& io) {
  if (!groups.together) {
    for (ControlPad& pad : pads) {
      pad.read(pad, port, io);
    }
    return;
  }
  for (int16_t g = 0; g < groups.count; ++g) {
    ReadPadGroup(groups.groups[static_cast<size_t>(g)], pads, port, io);
  }
}

}  // namespace zarvel
