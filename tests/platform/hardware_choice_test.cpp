#include "platform/hardware_choice.h"

#include <gtest/gtest.h>

namespace zarvel {
namespace {

TEST(HardwareChoice, ReadsEveryParallelPortBackEndAndTheDeviceOfPpdev) {
  HardwareChoice choice;
  EXPECT_TRUE(choice.Simulated());
  EXPECT_EQ(choice.ppdevDevice, "/dev/parport0");

  EXPECT_EQ(ReadParportChoice("ppdev", choice), std::nullopt);
  EXPECT_EQ(choice.parport, ParportBackEnd::kPpdev);
  EXPECT_EQ(choice.ppdevDevice, "/dev/parport0");
  EXPECT_EQ(ReadParportChoice("ppdev:/dev/parport1", choice), std::nullopt);
  EXPECT_EQ(choice.ppdevDevice, "/dev/parport1");
  EXPECT_EQ(ParportChoiceText(choice), "ppdev:/dev/parport1");
  // Plain ppdev is the first device again, whatever was chosen before.
  EXPECT_EQ(ReadParportChoice("ppdev", choice), std::nullopt);
  EXPECT_EQ(ParportChoiceText(choice), "ppdev:/dev/parport0");
  EXPECT_EQ(ReadParportChoice("direct", choice), std::nullopt);
  EXPECT_EQ(choice.parport, ParportBackEnd::kDirect);
  EXPECT_EQ(ParportChoiceText(choice), "direct");
  EXPECT_EQ(ReadParportChoice("sim", choice), std::nullopt);
  EXPECT_TRUE(choice.Simulated());
  EXPECT_EQ(ParportChoiceText(choice), "sim");
}

TEST(HardwareChoice, ReadsEveryKeyboardBackEnd) {
  HardwareChoice choice;
  EXPECT_EQ(ReadKeyboardChoice("uinput", choice), std::nullopt);
  EXPECT_EQ(choice.keyboard, KeyboardBackEnd::kUinput);
  EXPECT_EQ(KeyboardChoiceText(choice), "uinput");
  EXPECT_FALSE(choice.Simulated());
  EXPECT_EQ(ReadKeyboardChoice("direct", choice), std::nullopt);
  EXPECT_EQ(choice.keyboard, KeyboardBackEnd::kDirect);
  EXPECT_EQ(KeyboardChoiceText(choice), "direct");
  EXPECT_EQ(ReadKeyboardChoice("sim", choice), std::nullopt);
  EXPECT_TRUE(choice.Simulated());
  EXPECT_EQ(KeyboardChoiceText(choice), "sim");
}

TEST(HardwareChoice, RefusesWhatNamesNoBackEndAndLeavesTheChoiceAlone) {
  HardwareChoice choice;
  for (const char* text : {"", "ppdev:", "ppdevx", "PPDEV", "ppdev/dev/parport0", "simulated"}) {
    const std::optional<std::string> error = ReadParportChoice(text, choice);
    ASSERT_TRUE(error) << text;
    EXPECT_EQ(*error,
              "--parport is sim, ppdev, ppdev:DEVICE or direct, not \"" + std::string(text) + "\"");
  }
  for (const char* text : {"", "evdev", "Direct"}) {
    const std::optional<std::string> error = ReadKeyboardChoice(text, choice);
    ASSERT_TRUE(error) << text;
    EXPECT_EQ(*error, "--keyboard is sim, uinput or direct, not \"" + std::string(text) + "\"");
  }
  EXPECT_TRUE(choice.Simulated());
  EXPECT_EQ(choice.ppdevDevice, "/dev/parport0");
}

}  // namespace
}  // namespace zarvel
