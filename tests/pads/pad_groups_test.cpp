#include "pads/pad_groups.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string_view>
#include <vector>

#include "hardware/game_pads.h"
#include "hardware/pin_table.h"
#include "pads/pad_read.h"
#include "platform/sim/sim_parallel_port.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

constexpr int32_t kBase = 0x378;

// The simulated port as an execution reaches it: every access goes straight to the port.
class SimPortIo : public PortIo {
 public:
  explicit SimPortIo(SimParallelPort& port) : port_(port) {}
  uint8_t In(uint16_t port) override { return port_.Read(port); }
  void Out(uint16_t port, uint8_t value) override { port_.Write(port, value); }
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}

 private:
  SimParallelPort& port_;
};

// One pad of a circuit: its kind and the connector pins of its lines. A line of several pins
// gets a definition of its own, as a pin list in a circuit file does.
struct CircuitPad {
  SimPadKind kind;
  std::vector<int32_t> clock;
  std::vector<int32_t> latch;
  int32_t data;
};

struct Circuit {
  std::string_view name;
  std::vector<CircuitPad> pads;
  int16_t groups;
};

// Clock on pins 3 and 5 joined, in a definition of its own for each pad.
constexpr PinDef kJoinedClock{kDataRegister, 0x02 | 0x08, 0};

const PinDef* LineFor(const std::vector<int32_t>& pins, std::deque<PinDef>& joined) {
  if (pins.size() == 1) {
    return &PinTable[static_cast<size_t>(pins[0])];
  }
  joined.push_back(kJoinedClock);
  return &joined.back();
}

// Whether a simulated person holding `input` holds the kind's button at read position `bit`.
bool Holds(const PadInput& input, SimPadKind kind, int16_t bit) {
  const std::string_view name = kind == SimPadKind::kSnes
                                    ? kSnesButtonOrder[static_cast<size_t>(bit)]
                                    : kNesButtonOrder[static_cast<size_t>(bit)];
  for (size_t i = 0; i < kSimButtonCount; ++i) {
    if (kSimButtonNames[i] == name) {
      return input.Holds(static_cast<SimButton>(i));
    }
  }
  return false;
}

// Pads read together give each pad exactly the buttons a read of it alone gives, and those the
// person holds, over circuits with status and control data lines, inverted pins, both kinds
// mixed, several groups and joined clock pins.
TEST(PadGroups, ReadingTogetherGivesWhatReadingEachAloneGives) {
  const std::vector<Circuit> circuits = {
      {"shipped, NES pads on the control lines",
       {{SimPadKind::kSnes, {3}, {4}, 10},
        {SimPadKind::kSnes, {3}, {4}, 11},
        {SimPadKind::kSnes, {3}, {4}, 12},
        {SimPadKind::kSnes, {3}, {4}, 13},
        {SimPadKind::kSnes, {3}, {4}, 15},
        {SimPadKind::kNes, {3}, {4}, 1},
        {SimPadKind::kNes, {3}, {4}, 14},
        {SimPadKind::kNes, {3}, {4}, 16},
        {SimPadKind::kNes, {3}, {4}, 17}},
       1},
      {"three pairs of lines, one with its clock on the control register",
       {{SimPadKind::kNes, {3, 5}, {4}, 11},
        {SimPadKind::kSnes, {6}, {7}, 17},
        {SimPadKind::kSnes, {3, 5}, {4}, 14},
        {SimPadKind::kNes, {16}, {2}, 10},
        {SimPadKind::kSnes, {16}, {2}, 1},
        {SimPadKind::kNes, {6}, {7}, 12}},
       3},
  };
  std::mt19937 random(20240611);
  for (const Circuit& circuit : circuits) {
    SCOPED_TRACE(circuit.name);
    SimParallelPort simPort(kBase);
    SimPortIo io(simPort);
    std::vector<PadInput> inputs(circuit.pads.size());
    std::deque<SimGamePad> simPads;
    std::deque<PinDef> joined;
    std::array<ControlPad, kMaxPads> pads{};
    for (size_t i = 0; i < circuit.pads.size(); ++i) {
      const CircuitPad& wired = circuit.pads[i];
      simPads.emplace_back(wired.kind, PadCable{wired.clock, wired.latch, {}, {wired.data}, {}, {}},
                           [&inputs, i] { return inputs[i]; });
      simPort.Plug(simPads.back());
      ControlPad& pad = pads[i];
      pad.read = ReadPad;
      pad.buttonCount = wired.kind == SimPadKind::kSnes ? kSnesButtonCount : kNesButtonCount;
      pad.clockPin = LineFor(wired.clock, joined);
      pad.latchPin = LineFor(wired.latch, joined);
      pad.dataPin = &PinTable[static_cast<size_t>(wired.data)];
    }
    const std::span<ControlPad> used(pads.data(), circuit.pads.size());
    PadGroups together;
    GroupPads(used, true, together);
    EXPECT_EQ(together.count, circuit.groups);
    PadGroups each;
    GroupPads(used, false, each);
    ParallelPort port{kBase, {}};

    for (int round = 0; round < 40; ++round) {
      for (PadInput& input : inputs) {
        input.held = static_cast<uint16_t>(random() & 0xFFF);
        input.plugged = random() % 8 != 0;
      }
      std::vector<PerButton<uint8_t>> alone;
      for (ControlPad& pad : used) {
        pad.read(pad, port, io);
        alone.push_back(pad.raw);
        pad.raw = {};
      }
      ReadPads(together, used, port, io);
      for (size_t i = 0; i < used.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(used[i].raw, alone[i]);
        for (int16_t bit = 0; bit < used[i].buttonCount; ++bit) {
          const bool pressed = !inputs[i].plugged || Holds(inputs[i], circuit.pads[i].kind, bit);
          ASSERT_EQ(used[i].raw[static_cast<size_t>(bit)], pressed ? 1 : 0) << bit;
        }
        used[i].raw = {};
      }
      ReadPads(each, used, port, io);
      for (size_t i = 0; i < used.size(); ++i) {
        ASSERT_EQ(used[i].raw, alone[i]) << i;
      }
    }
  }
}

// Two two-button pads on one latch and clock, one on status pin 10 and one on control pin 17
// (inverted): the control line is let go once before the bits and driven low once after them,
// and each bit reads each of the two registers once.
TEST(PadGroups, AControlDataLineIsLetGoOnceAroundTheWholeRead) {
  std::array<ControlPad, 2> pads{};
  for (ControlPad& pad : pads) {
    pad.buttonCount = 2;
    pad.clockPin = &PinTable[3];
    pad.latchPin = &PinTable[4];
  }
  pads[0].dataPin = &PinTable[10];
  pads[1].dataPin = &PinTable[17];
  PadGroups groups;
  GroupPads(pads, true, groups);
  RecordingPort io;
  io.Script(0x379, {0xBF, 0xFF});  // Pin 10 low at the first bit: pad 1's first button.
  io.Script(0x37A, {0x00, 0x08});  // Pin 17 low at the second bit: pad 2's second button.
  ParallelPort port{kBase, {}};
  port.shadow[kControlRegister] = 0x08;
  ReadPads(groups, pads, port, io);

  const std::vector<PortAccess> expected = {
      PortAccess::Out(0x37A, 0x00), PortAccess::Out(0x378, 0x04), PortAccess::Out(0x378, 0x00),
      PortAccess::In(0x379, 0xBF),  PortAccess::In(0x37A, 0x00),  PortAccess::Out(0x378, 0x02),
      PortAccess::Out(0x378, 0x00), PortAccess::In(0x379, 0xFF),  PortAccess::In(0x37A, 0x08),
      PortAccess::Out(0x378, 0x02), PortAccess::Out(0x378, 0x00), PortAccess::Out(0x37A, 0x08),
  };
  EXPECT_EQ(io.Log(), expected);
  EXPECT_EQ(pads[0].raw[0], 1);
  EXPECT_EQ(pads[0].raw[1], 0);
  EXPECT_EQ(pads[1].raw[0], 0);
  EXPECT_EQ(pads[1].raw[1], 1);
}

}  // namespace
}  // namespace zarvel
