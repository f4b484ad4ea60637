#include "pads/genesis_read.h"

#include <cstddef>

#include "hardware/game_pads.h"
#include "pads/parallel_port.h"

namespace zarvel {
namespace {

// The select line's level at each step of a read, and the phase read after it (none for the
// steps that only count).
struct SelectStep {
  bool high;
  int phase;
};
constexpr int kNoRead = -1;
constexpr SelectStep kSelectSteps[] = {
    {true, kGenesisFirstHigh}, {false, kGenesisFirstLow}, {true, kNoRead},
    {false, kNoRead},          {true, kGenesisThirdHigh}, {false, kGenesisThirdLow},
};

// Where each button shows: the phase and the line (by its place among the six).
struct ButtonPlace {
  uint8_t phase;
  uint8_t line;
};
constexpr int kUpLine = 0;
constexpr int kDownLine = 1;
constexpr int kLeftLine = 2;
constexpr int kRightLine = 3;
constexpr int kBLine = 4;
constexpr int kCLine = 5;
constexpr std::array<ButtonPlace, kGenesisButtonCount> kButtonPlaces = {{
    {kGenesisFirstHigh, kUpLine},
    {kGenesisFirstHigh, kDownLine},
    {kGenesisFirstHigh, kLeftLine},
    {kGenesisFirstHigh, kRightLine},
    {kGenesisFirstHigh, kBLine},
    {kGenesisFirstHigh, kCLine},
    {kGenesisFirstLow, kBLine},       // a
    {kGenesisFirstLow, kCLine},       // start
    {kGenesisThirdHigh, kUpLine},     // z
    {kGenesisThirdHigh, kDownLine},   // y
    {kGenesisThirdHigh, kLeftLine},   // x
    {kGenesisThirdHigh, kRightLine},  // mode
}};
// The buttons from z on come from six-button pads only.
constexpr int16_t kFirstSixButtonOnly = 8;

// Whether the pad's line is low in a phase.
bool LineLow(const GenesisReads& reads, const ControlPad& pad, int phase, int line) {
  const PinDef* pin = pad.switchPins[static_cast<size_t>(line)];
  if (pin == nullptr) {
    return false;
  }
  return PinLevelIn(*pin, reads[static_cast<size_t>(phase)][static_cast<size_t>(pin->reg)]) == 0;
}

}  // namespace

bool GenesisReadsDataPort(const ControlPad& pad) {
  for (int16_t i = 0; i < kGenesisLineCount; ++i) {
    const PinDef* pin = pad.switchPins[static_cast<size_t>(i)];
    if (pin != nullptr && pin->reg == kDataRegister) {
      return true;
    }
  }
  return false;
}

void PrepareGenesisPad(const ControlPad& pad, ParallelPort& port, PortIo& io) {
  RegisterBits bits;
  AddAssertedPin(bits, *pad.latchPin);
  // Select low: the asserting bits swapped.
  bits = {.set = bits.clear, .clear = bits.set};
  if (pad.latchPin->reg != kControlRegister) {
    WriteRegisterBits(port, io, pad.latchPin->reg, bits);
    bits = {};
  }
  if (GenesisReadsDataPort(pad)) {
    bits.set = static_cast<uint8_t>(bits.set | kParControlDataInput);
  }
  WriteRegisterBits(port, io, kControlRegister, bits);
}

void ShiftGenesisLines(const ControlPad& pad, ParallelPort& port, PortIo& io, GenesisReads& reads) {
  std::array<bool, kRegisterCount> readsRegister{};
  // Control-register lines are open-collector: released (high) in every write of the register,
  // so the pad can pull them low.
  RegisterBits openLines;
  for (int16_t i = 0; i < kGenesisLineCount; ++i) {
    const PinDef* pin = pad.switchPins[static_cast<size_t>(i)];
    if (pin == nullptr) {
      continue;
    }
    readsRegister[static_cast<size_t>(pin->reg)] = true;
    if (pin->reg == kControlRegister) {
      AddAssertedPin(openLines, *pin);
    }
  }
  RegisterBits selectHigh;
  AddAssertedPin(selectHigh, *pad.latchPin);
  for (const SelectStep& step : kSelectSteps) {
    RegisterBits bits = step.high ? selectHigh : RegisterBits{selectHigh.clear, selectHigh.set};
    if (pad.latchPin->reg == kControlRegister) {
      bits.set = static_cast<uint8_t>(bits.set | openLines.set);
      bits.clear = static_cast<uint8_t>(bits.clear | openLines.clear);
    }
    WriteRegisterBits(port, io, pad.latchPin->reg, bits);
    WaitMicroseconds(kGenesisSelectDelayUs);
    if (step.phase == kNoRead) {
      continue;
    }
    for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
      if (readsRegister[static_cast<size_t>(reg)]) {
        reads[static_cast<size_t>(step.phase)][static_cast<size_t>(reg)] =
            ReadRegister(port, io, reg);
      }
    }
  }
}

void DecodeGenesisLines(const GenesisReads& reads, ControlPad& pad) {
  pad.identity = 0;
  if (LineLow(reads, pad, kGenesisFirstLow, kLeftLine) &&
      LineLow(reads, pad, kGenesisFirstLow, kRightLine)) {
    pad.identity |= kGenesisPresent;
  }
  bool sixButton = true;
  for (const int line : {kUpLine, kDownLine, kLeftLine, kRightLine}) {
    sixButton = sixButton && LineLow(reads, pad, kGenesisThirdLow, line);
  }
  if (sixButton) {
    pad.identity |= kGenesisSixButton;
  }
  for (int16_t i = 0; i < kGenesisButtonCount; ++i) {
    const ButtonPlace place = kButtonPlaces[static_cast<size_t>(i)];
    const bool readable = i < kFirstSixButtonOnly || sixButton;
    pad.raw[static_cast<size_t>(i)] =
        readable && LineLow(reads, pad, place.phase, place.line) ? 1 : 0;
  }
}

void ReadGenesisPad(ControlPad& pad, ParallelPort& port, PortIo& io) {
  GenesisReads reads{};
  ShiftGenesisLines(pad, port, io, reads);
  DecodeGenesisLines(reads, pad);
}

}  // namespace zarvel
