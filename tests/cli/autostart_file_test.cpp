#include "cli/autostart_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zarvel {
namespace {

TEST(AutostartFile, ReadsBothBackEndsAndNamesTheLineOfAMistake) {
  HardwareChoice choice;
  EXPECT_EQ(ReadAutostartText("# at login\n\nparport = ppdev:/dev/parport1\r\nkeyboard=uinput\n",
                              "autostart.conf", choice),
            std::nullopt);
  EXPECT_EQ(choice.parport, ParportBackEnd::kPpdev);
  EXPECT_EQ(choice.ppdevDevice, "/dev/parport1");
  EXPECT_EQ(choice.keyboard, KeyboardBackEnd::kUinput);

  EXPECT_EQ(ReadAutostartText("parport=sim\nkeyboard=x11\n", "a.conf", choice),
            "a.conf:2: --keyboard is sim, uinput or direct, not \"x11\"");
  EXPECT_EQ(ReadAutostartText("\nspeed=9\n", "a.conf", choice),
            "a.conf:2: \"speed=9\" is not parport=BACKEND or keyboard=BACKEND");
}

TEST(AutostartFile, NamesAConfigurationOfTheHomeDirectory) {
  testing::TempDir dir;
  RunnerOptions options;
  options.home = dir.Slash();
  options.autostart = "mypads";
  EXPECT_EQ(ApplyAutostart(options),
            "--autostart needs " + dir.Slash() +
                "autostart.conf, naming the back ends: parport=ppdev:/dev/parport0 and "
                "keyboard=uinput, one a line");

  dir.Write("autostart.conf", "keyboard=uinput\n");
  EXPECT_EQ(ApplyAutostart(options), std::nullopt);
  EXPECT_EQ(options.configPath, dir.Slash() + "mypads.ini");
  EXPECT_EQ(options.hardware.keyboard, KeyboardBackEnd::kUinput);
  EXPECT_EQ(options.hardware.parport, ParportBackEnd::kSim);
}

}  // namespace
}  // namespace zarvel
