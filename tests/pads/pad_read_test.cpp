#include "pads/pad_read.h"

#include <gtest/gtest.h>

#include "hardware/pin_table.h"
#include "pads/parallel_port.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

constexpr uint16_t kData = 0x378;
constexpr uint16_t kStatus = 0x379;
constexpr uint16_t kControl = 0x37A;
constexpr uint8_t kAckLow = 0xBF;  // Status with pin 10 (bit 6) low: a pressed button.

using Log = std::vector<PortAccess>;

// An NES-sized pad on the shipped wiring: clock pin 3 (D1), latch pin 4 (D2), data pin 10.
struct ReadPadTest : ::testing::Test {
  ReadPadTest() {
    pad.buttonCount = 8;
    pad.clockPin = &PinTable[3];
    pad.latchPin = &PinTable[4];
    pad.dataPin = &PinTable[10];
  }

  ControlPad pad;
  ParallelPort port{0x378, {}};
  RecordingPort io;
};

TEST_F(ReadPadTest, LatchPulseThenPerButtonAReadAndAClockPulse) {
  port.shadow[kDataRegister] = 0x80;  // Other lines of the register keep their level.
  io.Script(kStatus, {kAckLow, 0xFF, 0xFF, 0xFF, 0xFF, kAckLow, 0xFF, 0xFF});
  ReadPad(pad, port, io);

  Log expected = {PortAccess::Out(kData, 0x84), PortAccess::Out(kData, 0x80)};
  for (int bit = 0; bit < 8; ++bit) {
    const uint8_t answer = bit == 0 || bit == 5 ? kAckLow : 0xFF;
    expected.push_back(PortAccess::In(kStatus, answer));
    expected.push_back(PortAccess::Out(kData, 0x82));
    expected.push_back(PortAccess::Out(kData, 0x80));
  }
  EXPECT_EQ(io.Log(), expected);
  EXPECT_EQ(pad.raw, (PerButton<uint8_t>{1, 0, 0, 0, 0, 1, 0, 0}));
}

TEST_F(ReadPadTest, AControlRegisterDataLineIsReleasedBeforeAndDrivenLowAfterEachRead) {
  pad.buttonCount = 2;
  pad.dataPin = &PinTable[17];        // nSelectIn, control bit 3, inverted.
  io.Script(kControl, {0x08, 0x00});  // Bit 3 set: the line is low, the button pressed.
  ReadPad(pad, port, io);

  const Log expected = {
      PortAccess::Out(kData, 0x04),    PortAccess::Out(kData, 0x00),
      PortAccess::Out(kControl, 0x00), PortAccess::In(kControl, 0x08),
      PortAccess::Out(kControl, 0x08), PortAccess::Out(kData, 0x02),
      PortAccess::Out(kData, 0x00),    PortAccess::Out(kControl, 0x00),
      PortAccess::In(kControl, 0x00),  PortAccess::Out(kControl, 0x08),
      PortAccess::Out(kData, 0x02),    PortAccess::Out(kData, 0x00),
  };
  EXPECT_EQ(io.Log(), expected);
  EXPECT_EQ(pad.raw[0], 1);
  EXPECT_EQ(pad.raw[1], 0);
}

TEST_F(ReadPadTest, AnSnesPadIsReadForTwelveBitsOnly) {
  pad.buttonCount = 12;
  ReadPad(pad, port, io);
  EXPECT_EQ(io.Log().size(), 2u + 3u * 12u);
}

TEST(DecodePadLines, ALowLineIsAPressedButtonAndOnlyTheKindsButtonsAreTouched) {
  PadLineLevels levels{};
  levels.fill(0x40);
  levels[2] = 0;
  levels[9] = 0;
  PerButton<uint8_t> raw{};
  raw[10] = 7;
  DecodePadLines(levels, 10, raw);
  EXPECT_EQ(raw, (PerButton<uint8_t>{0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 7}));
}

TEST(PadSeemsConnected, FailsOnlyForOppositeDirectionsPressedTogether) {
  auto withPressed = [](std::initializer_list<int> buttons) {
    ControlPad pad;
    for (int button : buttons) {
      pad.raw[static_cast<size_t>(button)] = 1;
    }
    return PadSeemsConnected(pad);
  };
  EXPECT_TRUE(withPressed({}));
  EXPECT_TRUE(withPressed({4, 6}));  // Up and left.
  EXPECT_TRUE(withPressed({0, 1, 2, 3, 5, 7}));
  EXPECT_FALSE(withPressed({4, 5}));  // Up and down.
  EXPECT_FALSE(withPressed({6, 7}));  // Left and right.
}

}  // namespace
}  // namespace zarvel
