#include "check/pressed_key_name.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace zarvel {
namespace {

// The name, or the error in its place.
std::string Named(const PressedKeyName& key) {
  return key.error.empty() ? key.name : "error: " + key.error;
}

std::string ShippedKeys() {
  std::ifstream file(ZARVEL_SOURCE_DIR "/data/home/keys.cfg", std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(PressedKeyNameTest, NamesAKeyAsTheShippedKeysCfgDoes) {
  const std::string keys = ShippedKeys();
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_A)), "a");
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_UP)), "up");
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_PAUSE)), "pause");
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_KP5)), "kp5");
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_MUTE)),
            "error: The pressed key (Linux input code 113) is no key of the PC keyboard that "
            "Zarvel knows, so nothing was written.");
}

TEST(PressedKeyNameTest, NamesOnlyARecordTheExecutionFindsByThatName) {
  // The keypad's 5 sends 4c; "x" is taken by an earlier record, so only "five" leads to 4c.
  const std::string keys = "2d ad x\n4c cc x\n4c cc five\n";
  EXPECT_EQ(Named(NameOfPressedKey(keys, KEY_KP5)), "five");
  EXPECT_EQ(Named(NameOfPressedKey("2d ad x\n4c cc x\n", KEY_KP5)),
            "error: The key kp5 is not in keys.cfg, so nothing was written.");
  // The extended up key is not the keypad's 8, which sends the same code without e0.
  EXPECT_EQ(Named(NameOfPressedKey("48 c8 kp8\n", KEY_UP)),
            "error: The key up is not in keys.cfg, so nothing was written.");
  EXPECT_EQ(Named(NameOfPressedKey("1e 9e a\nzz 0 b\n", KEY_A)),
            "error: keys.cfg cannot be read, so nothing was written: \"zz\" in record 2 (line 2) "
            "of the key definition file is not a hexadecimal number.");
}

TEST(PressedKeyNameTest, ReadsKeysCfgOfTheHomeDirectory) {
  testing::TempDir home;
  EXPECT_EQ(Named(NameOfPressedKeyInHome(home.Slash(), KEY_A)),
            "error: " + home.Slash() + "keys.cfg cannot be read, so nothing was written.");
  home.Write("keys.cfg", "1e 9e a\n");
  EXPECT_EQ(Named(NameOfPressedKeyInHome(home.Slash(), KEY_A)), "a");
}

}  // namespace
}  // namespace zarvel
