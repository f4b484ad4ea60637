#include "cli/autostart_file.h"

#include <sys/stat.h>
#include <unistd.h>

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
  const std::string missing = "--autostart needs " + dir.Slash() +
                              "autostart.conf, naming the back ends: parport=ppdev:/dev/parport0 "
                              "and keyboard=uinput, one a line";
  EXPECT_EQ(ApplyAutostart(options), missing);
  // A folder or a FIFO in its place is no file either: neither reads as empty nor waits.
  const std::string conf = dir.Slash() + "autostart.conf";
  ASSERT_EQ(mkdir(conf.c_str(), 0700), 0);
  EXPECT_EQ(ApplyAutostart(options), missing);
  ASSERT_EQ(rmdir(conf.c_str()), 0);
  ASSERT_EQ(mkfifo(conf.c_str(), 0600), 0);
  EXPECT_EQ(ApplyAutostart(options), missing);
  ASSERT_EQ(unlink(conf.c_str()), 0);

  dir.Write("autostart.conf", "keyboard=uinput\n");
  EXPECT_EQ(ApplyAutostart(options), std::nullopt);
  EXPECT_EQ(options.configPath, dir.Slash() + "mypads.ini");
  EXPECT_EQ(options.hardware.keyboard, KeyboardBackEnd::kUinput);
  EXPECT_EQ(options.hardware.parport, ParportBackEnd::kSim);
}

}  // namespace
}  // namespace zarvel
