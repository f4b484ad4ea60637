#include "pads/genesis_read.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "hardware/game_pads.h"
#include "hardware/pin_table.h"
#include "hardware/port_io.h"
#include "pads/pad_read.h"
#include "pads/parallel_port.h"
#include "platform/sim/sim_parallel_port.h"
#include "support/counting_sim_port.h"

namespace zarvel {
namespace {

constexpr int32_t kBase = 0x378;

using zarvel::testing::CountingSimIo;

// A Genesis pad on the kernel documentation's lines: pins 2 to 7, select on pin 14.
ControlPad GenesisPad() {
  ControlPad pad;
  pad.read = ReadGenesisPad;
  pad.buttonCount = kGenesisButtonCount;
  pad.connectedTest = ConnectedTest::kGrounded;
  pad.latchPin = &PinTable[14];
  for (size_t line = 0; line < kGenesisLineCount; ++line) {
    pad.switchPins[line] = &PinTable[2 + line];
  }
  return pad;
}

// The names of the pressed buttons, in read order.
std::string Pressed(const ControlPad& pad) {
  std::string names;
  for (int16_t i = 0; i < pad.buttonCount; ++i) {
    if (pad.raw[static_cast<size_t>(i)] != 0) {
      names += std::string(names.empty() ? "" : " ") + kGenesisButtonOrder[static_cast<size_t>(i)];
    }
  }
  return names;
}

// Data-register bytes of the four phases (first high, first low, third high, third low): bit 0 is
// pin 2 (up), bit 5 pin 7 (c); a 0 bit a low line.
TEST(GenesisRead, DecodesThePhasesOfThreeAndSixButtonPads) {
  struct Case {
    std::array<uint8_t, kGenesisPhaseCount> data;
    const char* pressed;
    bool connected;
  };
  const Case cases[] = {
      // A three-button pad at rest: left and right grounded with select low only.
      {{0xFF, 0xF3, 0xFF, 0xF3}, "", true},
      // Its third high phase shows the directions again: up there is no z.
      {{0xFE, 0xF2, 0xFE, 0xF2}, "up", true},
      {{0xDF, 0xD3, 0xDF, 0xD3}, "c start", true},
      {{0xEF, 0xE3, 0xEF, 0xE3}, "b a", true},
      // A six-button pad grounds all four direction lines in the third low phase.
      {{0xFF, 0xF3, 0xF6, 0xF0}, "z mode", true},
      {{0xF7, 0xF3, 0xF0, 0xF0}, "right z y x mode", true},
      // Up and down together are no reason to doubt a Genesis pad.
      {{0xFC, 0xF0, 0xFF, 0xF0}, "up down", true},
      // Nothing plugged in: the lines float high, and no phase grounds left and right.
      {{0xFF, 0xFF, 0xFF, 0xFF}, "", false},
      // Left and right grounded with select high too are still a pad's directions.
      {{0xF3, 0xF3, 0xF3, 0xF3}, "left right", true},
  };
  for (const Case& c : cases) {
    ControlPad pad = GenesisPad();
    GenesisReads reads{};
    for (size_t phase = 0; phase < kGenesisPhaseCount; ++phase) {
      reads[phase][kDataRegister] = c.data[phase];
    }
    DecodeGenesisLines(reads, pad);
    EXPECT_EQ(Pressed(pad), c.pressed) << int{c.data[0]} << " " << int{c.data[2]};
    EXPECT_EQ(PadSeemsConnected(pad), c.connected) << c.pressed;
  }
}

// The simulated pad behind the simulated port, held at random as a three- and a six-button pad:
// every read gives what is held, in at most the kernel driver's 11 port accesses.
TEST(GenesisRead, ReadsWhatTheSimulatedPadHoldsInElevenAccesses) {
  SimParallelPort simPort(kBase);
  CountingSimIo io(simPort);
  PadInput input;
  SimGamePad simPad(SimPadKind::kGenesis,
                    PadCable{{}, {14}, {1}, {}, {}, {{{2}, {3}, {4}, {5}, {6}, {7}}}},
                    [&input] { return input; });
  simPort.Plug(simPad);
  ControlPad pad = GenesisPad();
  ParallelPort port{kBase, {}};
  PrepareGenesisPad(pad, port, io);
  std::mt19937 random(25);
  for (int round = 0; round < 60; ++round) {
    input.held = random() & ((SimButtonBits{1} << kSimButtonCount) - 1);
    input.threeButtons = round % 3 == 0;
    if (input.threeButtons && input.Holds(SimButton::kUp)) {
      // A three-button pad's up with down would look like a six-button pad's third low phase;
      // its direction pad cannot press both.
      input.held &= ~(SimButtonBits{1} << static_cast<unsigned>(SimButton::kDown));
    }
    input.tick = round;
    io.accesses = 0;
    ReadGenesisPad(pad, port, io);
    EXPECT_LE(io.accesses, 11);
    ASSERT_TRUE(PadSeemsConnected(pad));
    for (int16_t bit = 0; bit < kGenesisButtonCount; ++bit) {
      const SimButton button = *SimButtonNamed(kGenesisButtonOrder[static_cast<size_t>(bit)]);
      const bool sixButtonOnly = bit >= 8;
      const bool held = input.Holds(button) && !(sixButtonOnly && input.threeButtons);
      ASSERT_EQ(pad.raw[static_cast<size_t>(bit)], held ? 1 : 0) << round << " " << bit;
    }
  }
  // Unplugged, the pad fails the connected test.
  input.plugged = false;
  input.tick = 100;
  ReadGenesisPad(pad, port, io);
  EXPECT_FALSE(PadSeemsConnected(pad));
}

}  // namespace
}  // namespace zarvel
