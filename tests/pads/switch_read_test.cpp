#include "pads/switch_read.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "hardware/game_pads.h"
#include "hardware/pin_table.h"
#include "hardware/port_io.h"
#include "pads/pad_groups.h"
#include "pads/pad_read.h"
#include "platform/sim/sim_parallel_port.h"
#include "support/counting_sim_port.h"

namespace zarvel {
namespace {

constexpr int32_t kBase = 0x378;

using zarvel::testing::CountingSimIo;

TEST(SwitchRead, DecodesAClosedSwitchAsALowCommonLine) {
  struct Case {
    SwitchLevels levels;
    PerButton<uint8_t> pressed;
  };
  const Case cases[] = {
      {{1, 1, 1, 1, 1, 1}, {}},
      {{0, 1, 1, 1, 1, 1}, {1}},
      {{1, 0x40, 1, 0, 1, 0}, {0, 0, 0, 1, 0, 1}},
      // Up with down counts as such: a stick has no connected test to fail.
      {{0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    ControlPad pad;
    pad.buttonCount = kAtariButtonCount;
    pad.connectedTest = ConnectedTest::kNone;
    DecodeSwitchLevels(c.levels, pad);
    EXPECT_EQ(pad.raw, c.pressed);
    EXPECT_TRUE(PadSeemsConnected(pad));
  }
}

// Five sticks on the kernel documentation's lines (switches on pins 2 to 7, common lines on the
// five status pins), held at random: read together they read as each alone and as held, in at
// most 12 port accesses.
TEST(SwitchRead, SticksReadTogetherReadAsEachAloneInTwelveAccesses) {
  constexpr int32_t kDataPins[] = {10, 11, 12, 13, 15};
  SimParallelPort simPort(kBase);
  CountingSimIo io(simPort);
  std::vector<PadInput> inputs(std::size(kDataPins));
  std::deque<SimGamePad> sticks;
  std::array<ControlPad, 5> pads;
  for (size_t i = 0; i < std::size(kDataPins); ++i) {
    sticks.emplace_back(SimPadKind::kAtari,
                        PadCable{{}, {}, {}, {kDataPins[i]}, {}, {{{2}, {3}, {4}, {5}, {6}, {7}}}},
                        [&inputs, i] { return inputs[i]; });
    simPort.Plug(sticks.back());
    pads[i].read = ReadAtariPad;
    pads[i].buttonCount = kAtariButtonCount;
    pads[i].dataPin = &PinTable[static_cast<size_t>(kDataPins[i])];
    for (size_t line = 0; line < 6; ++line) {
      pads[i].switchPins[line] = &PinTable[2 + line];
    }
  }
  PadGroups groups;
  GroupPads(pads, true, groups);
  ASSERT_EQ(groups.count, 1);
  ParallelPort port{kBase, {}};
  std::mt19937 random(6);
  for (int round = 0; round < 40; ++round) {
    for (PadInput& input : inputs) {
      input.held = random() & ((SimButtonBits{1} << kSimButtonCount) - 1);
    }
    std::vector<PerButton<uint8_t>> alone;
    for (ControlPad& pad : pads) {
      pad.read(pad, port, io);
      alone.push_back(pad.raw);
      pad.raw = {};
    }
    io.accesses = 0;
    ReadPads(groups, pads, port, io);
    EXPECT_LE(io.accesses, 12);
    for (size_t i = 0; i < pads.size(); ++i) {
      ASSERT_EQ(pads[i].raw, alone[i]) << i;
      for (int16_t bit = 0; bit < kAtariButtonCount; ++bit) {
        const SimButton button = *SimButtonNamed(kAtariButtonOrder[static_cast<size_t>(bit)]);
        ASSERT_EQ(pads[i].raw[static_cast<size_t>(bit)], inputs[i].Holds(button) ? 1 : 0) << bit;
      }
    }
  }
}

}  // namespace
}  // namespace zarvel
