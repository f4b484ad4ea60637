#include "pads/psx_read.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
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

ControlPad PsxPad(int threshold = 50) {
  ControlPad pad;
  pad.buttonCount = kPsxButtonCount;
  pad.analogThreshold = static_cast<int8_t>(threshold);
  pad.connectedTest = ConnectedTest::kIdentity;
  return pad;
}

// The names of the pressed buttons, in read order.
std::string Pressed(const ControlPad& pad) {
  std::string names;
  for (int16_t i = 0; i < pad.buttonCount; ++i) {
    if (pad.raw[static_cast<size_t>(i)] != 0) {
      names += std::string(names.empty() ? "" : " ") + kPsxButtonOrder[static_cast<size_t>(i)];
    }
  }
  return names;
}

TEST(PsxRead, DecodesFramesOfEveryAnswer) {
  struct Case {
    const char* what;
    PsxFrame frame;
    int threshold;
    bool connected;
    const char* pressed;
  };
  const Case cases[] = {
      {"digital, idle", {0xFF, 0x41, 0x5A, 0xFF, 0xFF}, 50, true, ""},
      {"digital, select and square (first and last bits)",
       {0xFF, 0x41, 0x5A, 0xFE, 0x7F},
       50,
       true,
       "select square"},
      {"dance mat: up with down, left with right",
       {0xFF, 0x41, 0x5A, 0x0F, 0xFF},
       50,
       true,
       "up right down left"},
      {"digital, bytes past the answer ignored",
       {0xFF, 0x41, 0x5A, 0xF7, 0xBF, 0, 0, 0, 0},
       50,
       true,
       "start cross"},
      {"analog at rest", {0xFF, 0x73, 0x5A, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0x80}, 50, true, ""},
      {"analog, left up and right stick right",
       {0xFF, 0x73, 0x5A, 0xFF, 0xEF, 0xFF, 0x80, 0x80, 0x00},
       50,
       true,
       "triangle lup rright"},
      {"analog, just inside and just past 50%",
       {0xFF, 0x53, 0x5A, 0xFF, 0xFF, 0x80, 0xC0, 0x3F, 0x80},
       50,
       true,
       "lleft"},
      {"analog at 90%: a push of 100 of 128 presses nothing",
       {0xFF, 0x73, 0x5A, 0xFF, 0xFF, 0x80, 0x80, 0x1C, 0xE4},
       90,
       true,
       ""},
      {"analog at 10%",
       {0xFF, 0x73, 0x5A, 0xFF, 0xFF, 0x80, 0x80, 0x6F, 0x91},
       10,
       true,
       "ldown lleft"},
      {"nobody answers (data line low)", {}, 50, false, ""},
      {"floating high", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 50, false, ""},
      {"unknown identity", {0xFF, 0x12, 0x5A, 0x00, 0x00}, 50, false, ""},
      {"identity without the ready byte", {0xFF, 0x41, 0xFF, 0x00, 0x00}, 50, false, ""},
  };
  for (const Case& c : cases) {
    ControlPad pad = PsxPad(c.threshold);
    pad.raw.fill(1);
    DecodePsxFrame(c.frame, pad);
    EXPECT_EQ(PadSeemsConnected(pad), c.connected) << c.what;
    EXPECT_EQ(Pressed(pad), c.pressed) << c.what;
  }
}

// Five pads on the kernel documentation's lines (command 2, select 3, clock 4, data on the
// five status pins), held at random, some analog, some unplugged: reading them together gives
// what reading each alone gives, and what their people hold; five digital pads take no more
// port accesses than the kernel driver's 123.
TEST(PsxRead, PadsReadTogetherReadAsEachAloneWithinTheKernelsAccesses) {
  constexpr int32_t kDataPins[] = {10, 11, 12, 13, 15};
  SimParallelPort simPort(kBase);
  CountingSimIo io(simPort);
  std::vector<PadInput> inputs(std::size(kDataPins));
  std::deque<SimGamePad> simPads;
  std::array<ControlPad, 5> pads;
  for (size_t i = 0; i < std::size(kDataPins); ++i) {
    simPads.emplace_back(SimPadKind::kPsx, PadCable{{4}, {3}, {}, {kDataPins[i]}, {2}, {}},
                         [&inputs, i] { return inputs[i]; });
    simPort.Plug(simPads.back());
    pads[i] = PsxPad();
    pads[i].read = ReadPsxPad;
    pads[i].clockPin = &PinTable[4];
    pads[i].latchPin = &PinTable[3];
    pads[i].commandPin = &PinTable[2];
    pads[i].dataPin = &PinTable[static_cast<size_t>(kDataPins[i])];
  }
  PadGroups groups;
  GroupPads(pads, true, groups);
  ASSERT_EQ(groups.count, 1);
  ParallelPort port{kBase, {}};

  std::mt19937 random(25);
  for (int round = 0; round < 60; ++round) {
    for (PadInput& input : inputs) {
      input.held = random() & ((SimButtonBits{1} << kSimButtonCount) - 1);
      input.analog = random() % 2 == 0;
      input.plugged = random() % 6 != 0;
      if (round == 0) {
        input = PadInput{};
      }
    }
    std::vector<PerButton<uint8_t>> alone;
    for (ControlPad& pad : pads) {
      pad.read(pad, port, io);
      alone.push_back(pad.raw);
      pad.raw = {};
    }
    io.accesses = 0;
    ReadPads(groups, pads, port, io);
    if (round == 0) {
      EXPECT_LE(io.accesses, 123);
    }
    for (size_t i = 0; i < pads.size(); ++i) {
      SCOPED_TRACE(i);
      ASSERT_EQ(pads[i].raw, alone[i]);
      ASSERT_EQ(PadSeemsConnected(pads[i]), inputs[i].plugged);
      const PadInput& input = inputs[i];
      for (int16_t bit = 0; bit < kPsxButtonCount; ++bit) {
        const SimButton button = *SimButtonNamed(kPsxButtonOrder[static_cast<size_t>(bit)]);
        // A stick direction held with its opposite leaves the stick at rest.
        bool held = input.plugged && input.Holds(button);
        if (bit >= kPsxLeftUp) {
          const int along = (bit - kPsxLeftUp) % 4;
          const SimButton opposite =
              static_cast<SimButton>(static_cast<int>(button) + (along % 2 == 0 ? 1 : -1));
          held = held && input.AnswersAnalog() && !input.Holds(opposite);
        }
        ASSERT_EQ(pads[i].raw[static_cast<size_t>(bit)], held ? 1 : 0) << bit;
      }
    }
  }
}

}  // namespace
}  // namespace zarvel
