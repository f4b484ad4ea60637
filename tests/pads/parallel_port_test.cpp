#include "pads/parallel_port.h"

#include <gtest/gtest.h>

#include "hardware/pin_table.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

constexpr uint16_t kBase = 0x378;
constexpr uint16_t kData = kBase;
constexpr uint16_t kStatus = kBase + 1;
constexpr uint16_t kControl = kBase + 2;

using Log = std::vector<PortAccess>;

struct ParallelPortTest : ::testing::Test {
  ParallelPort port{kBase, {}};
  RecordingPort io;
};

TEST_F(ParallelPortTest, AssertAndDeassertRewriteTheWholeShadowedRegister) {
  port.shadow[kDataRegister] = 0x01;
  AssertPin(port, io, PinTable[4]);  // D2, mask 0x04.
  DeassertPin(port, io, PinTable[4]);
  // Every assert is a write, even when the line is already at that level.
  DeassertPin(port, io, PinTable[4]);
  EXPECT_EQ(io.Log(), (Log{PortAccess::Out(kData, 0x05), PortAccess::Out(kData, 0x01),
                           PortAccess::Out(kData, 0x01)}));
  EXPECT_EQ(port.shadow[kDataRegister], 0x01);
}

TEST_F(ParallelPortTest, InvertedLinesAreAssertedByClearingTheirBits) {
  port.shadow[kControlRegister] = 0x0F;
  AssertPin(port, io, PinTable[14]);  // nAutoFeed, control bit 1, inverted.
  DeassertPin(port, io, PinTable[14]);
  AssertPin(port, io, PinTable[16]);  // nInit, control bit 2, not inverted.
  EXPECT_EQ(io.Log(), (Log{PortAccess::Out(kControl, 0x0D), PortAccess::Out(kControl, 0x0F),
                           PortAccess::Out(kControl, 0x0F)}));
}

TEST_F(ParallelPortTest, ReadingBusyComplementsTheStatusRegister) {
  io.Script(kStatus, {0x00, 0x80, 0x7F});
  EXPECT_EQ(ReadPin(port, io, PinTable[11]), 0x80);  // Busy bit clear: the line is high.
  EXPECT_EQ(ReadPin(port, io, PinTable[11]), 0x00);
  EXPECT_EQ(ReadPin(port, io, PinTable[11]), 0x80);  // Other bits do not matter.
  // A plain status line is taken as it is.
  io.Script(kStatus, {0x40, 0xBF});
  EXPECT_EQ(ReadPin(port, io, PinTable[10]), 0x40);
  EXPECT_EQ(ReadPin(port, io, PinTable[10]), 0x00);
  for (const PortAccess& access : io.Log()) {
    EXPECT_EQ(access.kind, PortAccess::Kind::kIn) << Describe(access);
  }
}

TEST_F(ParallelPortTest, ReadingAControlLineReleasesItFirstAndLeavesItLow) {
  port.shadow[kControlRegister] = 0x01;
  io.Script(kControl, {0x00});  // Bit 0 clear: pin 1 is high at the connector.
  EXPECT_EQ(ReadPin(port, io, PinTable[1]), 0x01);
  EXPECT_EQ(io.Log(), (Log{PortAccess::Out(kControl, 0x00), PortAccess::In(kControl, 0x00),
                           PortAccess::Out(kControl, 0x01)}));
  EXPECT_EQ(port.shadow[kControlRegister], 0x01);
}

TEST_F(ParallelPortTest, PinZeroNamesNoLine) {
  port.shadow[kDataRegister] = 0x5A;
  AssertPin(port, io, PinTable[kNoPin]);
  io.AnswerAlways(kData, 0xFF);
  EXPECT_EQ(ReadPin(port, io, PinTable[kNoPin]), 0x00);
  EXPECT_EQ(io.Log(), (Log{PortAccess::Out(kData, 0x5A), PortAccess::In(kData, 0xFF)}));
}

TEST_F(ParallelPortTest, RegisterPortsAreTheLowSixteenBitsOfBasePlusOffset) {
  port.base = 0x1FFFF;
  AssertPin(port, io, PinTable[16]);
  EXPECT_EQ(io.Log(), (Log{PortAccess::Out(0x0001, 0x04)}));
}

}  // namespace
}  // namespace zarvel
