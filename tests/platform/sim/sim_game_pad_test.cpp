#include "platform/sim/sim_game_pad.h"

#include <gtest/gtest.h>

#include "hardware/pin_table.h"
#include "pads/control_pad.h"
#include "pads/pad_read.h"
#include "pads/parallel_port.h"
#include "platform/sim/sim_machine.h"

namespace zarvel {
namespace {

constexpr int32_t kBase = 0x378;
const std::vector<int32_t> kPowerPins = {5, 6, 7, 8, 9};

PadInput Holding(std::initializer_list<SimButton> buttons) {
  PadInput input;
  for (SimButton button : buttons) {
    input.Hold(button);
  }
  return input;
}

// Simulated pads on a simulated port, read by the engine's own pad read.
struct SimPadReadTest : ::testing::Test {
  // One pad of the kind at position 1, soldered to clock 3, latch 4, power 5 to 9 and `data`.
  void Build(SimPadKind kind, int32_t data, std::vector<PadScriptLine> script = {}) {
    PortWiring wiring;
    wiring.base = kBase;
    wiring.pads.push_back({kind, 1, PadCable{{3}, {4}, kPowerPins, {data}, {}, {}}});
    machine = std::make_unique<SimMachine>(wiring, PadScript(std::move(script)));

    pad.buttonCount = kind == SimPadKind::kSnes ? 12 : 8;
    pad.clockPin = &PinTable[3];
    pad.latchPin = &PinTable[4];
    pad.dataPin = &PinTable[static_cast<size_t>(data)];
    powerPin = PinDef{kDataRegister, 0xF8, 0};
  }

  PerButton<uint8_t> Read() {
    ReadPad(pad, port, machine->Pc());
    return pad.raw;
  }

  std::unique_ptr<SimMachine> machine;
  ControlPad pad;
  PinDef powerPin;
  ParallelPort port{kBase, {}};
};

using Raw = PerButton<uint8_t>;

TEST_F(SimPadReadTest, AnSnesPadSendsItsButtonsInItsOwnOrder) {
  Build(SimPadKind::kSnes, 10,
        {{0, 1, Holding({SimButton::kB, SimButton::kStart, SimButton::kR})},
         {2, 1, Holding({SimButton::kY, SimButton::kA, SimButton::kX, SimButton::kL})}});
  EXPECT_EQ(Read(), (Raw{1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
  machine->Pc().SetTick(1);
  EXPECT_EQ(Read(), (Raw{1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
  machine->Pc().SetTick(2);
  EXPECT_EQ(Read(), (Raw{0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0}));
}

TEST_F(SimPadReadTest, AnNesPadOnTheInvertedBusyLine) {
  Build(SimPadKind::kNes, 11,
        {{0, 1, Holding({SimButton::kA, SimButton::kSelect, SimButton::kRight, SimButton::kX})}});
  EXPECT_EQ(Read(), (Raw{1, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_TRUE(PadSeemsConnected(pad));
}

TEST_F(SimPadReadTest, DataOnAnyControlLineIsReadThroughTheOpenCollector) {
  for (const int32_t data : {1, 14, 16, 17}) {
    Build(SimPadKind::kNes, data, {{0, 1, Holding({SimButton::kB, SimButton::kDown})}});
    EXPECT_EQ(Read(), (Raw{0, 1, 0, 0, 0, 1, 0, 0})) << "data on pin " << data;
  }
}

TEST_F(SimPadReadTest, TheLatchCapturesTheButtonsHeldAtThatMoment) {
  Build(SimPadKind::kNes, 10, {{0, 1, Holding({SimButton::kA})}, {1, 1, Holding({SimButton::kB})}});
  AssertPin(port, machine->Pc(), *pad.latchPin);
  DeassertPin(port, machine->Pc(), *pad.latchPin);
  machine->Pc().SetTick(1);
  EXPECT_EQ(ReadPin(port, machine->Pc(), *pad.dataPin), 0);  // Still a pressed.
  AssertPin(port, machine->Pc(), *pad.clockPin);
  DeassertPin(port, machine->Pc(), *pad.clockPin);
  EXPECT_NE(ReadPin(port, machine->Pc(), *pad.dataPin), 0);  // b was not held at the latch.
}

TEST_F(SimPadReadTest, AnUnpluggedPadReadsAsEveryButtonPressed) {
  PadInput unplugged;
  unplugged.plugged = false;
  Build(SimPadKind::kSnes, 13, {{0, 1, Holding({})}, {3, 1, unplugged}});
  Read();
  EXPECT_TRUE(PadSeemsConnected(pad));
  machine->Pc().SetTick(3);
  Read();
  EXPECT_EQ(pad.raw, (Raw{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_FALSE(PadSeemsConnected(pad));
}

TEST_F(SimPadReadTest, APadWithoutOutsidePowerAnswersOnlyWhilePoweredByItsLine) {
  Build(SimPadKind::kSnes, 15, {{0, 1, Holding({SimButton::kUp})}});
  machine->Pad(1)->SetPoweredFromOutside(false);
  Read();
  EXPECT_FALSE(PadSeemsConnected(pad));
  AssertPin(port, machine->Pc(), powerPin);
  EXPECT_EQ(Read(), (Raw{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
  DeassertPin(port, machine->Pc(), powerPin);
  Read();
  EXPECT_FALSE(PadSeemsConnected(pad));
}

TEST_F(SimPadReadTest, AnSnesPadShiftsOutFourReleasedBitsThenLow) {
  Build(SimPadKind::kSnes, 10);
  pad.buttonCount = kMaxButtons;
  EXPECT_EQ(Read(), (Raw{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace zarvel
