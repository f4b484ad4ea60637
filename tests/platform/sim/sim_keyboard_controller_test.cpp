#include "platform/sim/sim_keyboard_controller.h"

#include <gtest/gtest.h>

namespace zarvel {
namespace {

using Controller = SimKeyboardController;
constexpr uint16_t kData = kControllerDataPort;
constexpr uint16_t kStatus = kControllerStatusPort;

// Reads the status until the controller has taken the last byte written.
void Settle(Controller& controller) {
  while ((controller.Read(kStatus) & kStatusInputFull) != 0) {
  }
}

uint8_t ReadRam(Controller& controller, uint8_t address) {
  controller.Write(kStatus, static_cast<uint8_t>(kCmdReadRam + address));
  Settle(controller);
  EXPECT_TRUE(controller.OutputFull());
  return controller.Read(kData);
}

TEST(SimKeyboardController, ShowsAWrittenByteUntilItIsTaken) {
  Controller controller;
  EXPECT_EQ(controller.Read(kStatus), kStatusSystemFlag);
  controller.Write(kStatus, 0xAE);
  EXPECT_EQ(controller.Read(kStatus), kStatusSystemFlag | kStatusInputFull | kStatusLastWasCommand);
  EXPECT_EQ(controller.Read(kStatus) & kStatusInputFull, 0);
  controller.Write(kData, 0x00);
  EXPECT_EQ(controller.Read(kStatus), kStatusSystemFlag | kStatusInputFull);
}

TEST(SimKeyboardController, KeepsBytesInItsRamAndReadsThemBack) {
  Controller controller;
  for (const uint8_t address : {uint8_t{0x05}, uint8_t{0x1F}}) {
    controller.Write(kStatus, static_cast<uint8_t>(kCmdWriteRam + address));
    Settle(controller);
    controller.Write(kData, static_cast<uint8_t>(0x90 + address));
    Settle(controller);
    EXPECT_FALSE(controller.OutputFull());
  }
  EXPECT_EQ(ReadRam(controller, 0x05), 0x95);
  EXPECT_EQ(ReadRam(controller, 0x1F), 0xAF);
  EXPECT_FALSE(controller.OutputFull());
  EXPECT_EQ(controller.Read(kStatus) & kStatusOutputFull, 0);
}

TEST(SimKeyboardController, WritesTheOutputBufferAsIfTyped) {
  Controller controller;
  controller.Write(kStatus, kCmdWriteKeyboardOutput);
  EXPECT_FALSE(controller.OutputFull());
  controller.Write(kData, 0x1E);  // Even without waiting for the command to be taken.
  EXPECT_EQ(controller.Read(kStatus) & kStatusOutputFull, kStatusOutputFull);
  EXPECT_EQ(controller.Read(kData), 0x1E);
  EXPECT_FALSE(controller.OutputFull());
}

TEST(SimKeyboardController, EnablesTheKeyboardInterface) {
  Controller controller;
  controller.Write(kStatus, kCmdWriteRam);
  controller.Write(kData, 0x55);  // Command byte with the keyboard disabled.
  controller.Write(kStatus, kCmdEnableKeyboard);
  Settle(controller);
  EXPECT_EQ(ReadRam(controller, 0), 0x45);
}

TEST(SimKeyboardController, IgnoresWhatItDoesNotModel) {
  Controller controller;
  // A data byte with no command waiting, and commands it does not know.
  controller.Write(kData, 0xF4);
  controller.Write(kStatus, 0xAA);
  controller.Write(kStatus, 0xFE);
  Settle(controller);
  EXPECT_FALSE(controller.OutputFull());
  // A new command replaces one that waited for its data byte.
  controller.Write(kStatus, kCmdWriteKeyboardOutput);
  controller.Write(kStatus, 0xAD);
  controller.Write(kData, 0x1E);
  Settle(controller);
  EXPECT_FALSE(controller.OutputFull());
  EXPECT_EQ(controller.Registers().pendingCommand, 0);
  EXPECT_EQ(ReadRam(controller, 0), 0x45);
}

}  // namespace
}  // namespace zarvel
