#include "platform/sim/sim_parallel_port.h"

#include <gtest/gtest.h>

namespace zarvel {
namespace {

constexpr uint16_t kBase = 0x278;
constexpr uint16_t kData = kBase + kDataRegister;
constexpr uint16_t kStatus = kBase + kStatusRegister;
constexpr uint16_t kControl = kBase + kControlRegister;

// A pad whose cable has only its data line, on the given pins. Plugged in, latched once and
// holding nothing, it drives the line high; unplugged, it holds the line low.
struct DataLine {
  DataLine(std::vector<int32_t> pins, bool plugged)
      : pad(SimPadKind::kNes, PadCable{{}, {}, {}, std::move(pins), {}, {}},
            [this] { return input; }) {
    input.plugged = plugged;
    pad.SeeLines(true, false, false);
  }

  PadInput input;
  SimGamePad pad;
};

TEST(SimParallelPort, ClaimsItsThreeRegistersOnly) {
  SimParallelPort port(kBase);
  EXPECT_FALSE(port.Claims(kBase - 1));
  EXPECT_TRUE(port.Claims(kData));
  EXPECT_TRUE(port.Claims(kStatus));
  EXPECT_TRUE(port.Claims(kControl));
  EXPECT_FALSE(port.Claims(kBase + 3));
  EXPECT_TRUE(SimParallelPort(0xFFFF).Claims(0x0001));  // The address wraps as the bus does.
}

TEST(SimParallelPort, TheDataRegisterDrivesPinsTwoToNineAndReadsBackAsWritten) {
  SimParallelPort port(kBase);
  port.Write(kData, 0x81);
  EXPECT_EQ(port.Read(kData), 0x81);
  EXPECT_TRUE(port.PinLevel(2));
  EXPECT_FALSE(port.PinLevel(3));
  EXPECT_TRUE(port.PinLevel(9));
}

TEST(SimParallelPort, StatusShowsTheInputPinsWithBusyInverted) {
  SimParallelPort port(kBase);
  // Nothing drives the input pins and nothing pulls them up: all low, so Busy reads 1.
  EXPECT_EQ(port.Read(kStatus), kParStatusBusy | kParStatusUnused);
  port.Write(kStatus, 0x00);  // Lost.
  EXPECT_EQ(port.Read(kStatus), kParStatusBusy | kParStatusUnused);
}

TEST(SimParallelPort, ControlLinesAreInvertedOpenCollectorOutputs) {
  SimParallelPort port(kBase);
  port.Write(kControl, 0x20);
  // Bits clear: pins 1, 14 and 17 high through the inversion, pin 16 low.
  EXPECT_TRUE(port.PinLevel(1));
  EXPECT_TRUE(port.PinLevel(14));
  EXPECT_FALSE(port.PinLevel(16));
  EXPECT_TRUE(port.PinLevel(17));
  EXPECT_EQ(port.Read(kControl), 0x20);

  port.Write(kControl, 0x0F);
  EXPECT_FALSE(port.PinLevel(1));
  EXPECT_TRUE(port.PinLevel(16));
  EXPECT_EQ(port.Read(kControl), 0x0F);
}

TEST(SimParallelPort, APadCanPullAReleasedControlLineLowButNotADataLine) {
  SimParallelPort port(kBase);
  DataLine line({14, 16, 5}, false);
  port.Plug(line.pad);

  port.Write(kControl, kParControlInit);  // Pin 14 released high, pin 16 driven high.
  port.Write(kData, 0x08);                // Pin 5 driven high.
  EXPECT_FALSE(port.PinLevel(14));
  EXPECT_FALSE(port.PinLevel(16));
  EXPECT_TRUE(port.PinLevel(5));
  // The read shows the connector through the inversions: pin 14 low reads as bit 1 set.
  EXPECT_EQ(port.Read(kControl), kParControlAutoFeed);
  EXPECT_EQ(port.Read(kData), 0x08);
}

TEST(SimParallelPort, StatusPinsShowWhatThePadsDriveAndAnyPadPullingLowWins) {
  SimParallelPort port(kBase);
  DataLine high({10, 11}, true);
  port.Plug(high.pad);
  EXPECT_TRUE(port.PinLevel(10));
  EXPECT_EQ(port.Read(kStatus), kParStatusAck | kParStatusUnused);  // Busy high reads 0.

  DataLine low({11}, false);
  port.Plug(low.pad);
  EXPECT_FALSE(port.PinLevel(11));
  EXPECT_EQ(port.Read(kStatus), kParStatusAck | kParStatusBusy | kParStatusUnused);
  // Pins 18 to 25 are ground and pin 0 is no line.
  EXPECT_FALSE(port.PinLevel(0));
  EXPECT_FALSE(port.PinLevel(18));
}

}  // namespace
}  // namespace zarvel
