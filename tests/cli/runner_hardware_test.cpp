#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <filesystem>
#include <sstream>

#include "cli/runner.h"
#include "cli/runner_options.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"
#include "support/home_fixture.h"
#include "support/pad_behind_device.h"
#include "support/quiet_buttons.h"
#include "support/runner_process.h"

namespace zarvel {
namespace {

using testing::WithQuietButtons;

using testing::FakeEvdevCalls;
using testing::FakeSystemCalls;
using testing::HomeFixture;
using testing::PostedEvent;
using testing::RunnerResult;
using testing::RunRunner;

TEST(RunnerHardwareOptions, ReadsBothBackEndsAndKeepsTheSimulatedPcByDefault) {
  const ParsedOptions plain = ParseRunnerOptions({"doc.ini"});
  ASSERT_TRUE(plain.options);
  EXPECT_TRUE(plain.options->hardware.Simulated());

  const ParsedOptions real =
      ParseRunnerOptions({"--parport=ppdev:/dev/parport1", "--keyboard", "uinput", "doc.ini"});
  ASSERT_TRUE(real.options) << real.error;
  EXPECT_EQ(real.options->hardware.parport, ParportBackEnd::kPpdev);
  EXPECT_EQ(real.options->hardware.ppdevDevice, "/dev/parport1");
  EXPECT_EQ(real.options->hardware.keyboard, KeyboardBackEnd::kUinput);
}

TEST(RunnerHardwareOptions, RefusesUnknownBackEndsAndScriptsForRealPads) {
  EXPECT_EQ(ParseRunnerOptions({"--parport", "lpt1", "doc.ini"}).error,
            "--parport is sim, ppdev, ppdev:DEVICE or direct, not \"lpt1\"");
  EXPECT_EQ(ParseRunnerOptions({"--keyboard=x11", "doc.ini"}).error,
            "--keyboard is sim, uinput or direct, not \"x11\"");
  EXPECT_EQ(ParseRunnerOptions({"doc.ini", "--keyboard"}).error, "--keyboard needs a value");
  EXPECT_EQ(ParseRunnerOptions({"--script", "pads.txt", "--parport", "direct", "doc.ini"}).error,
            "--script says what simulated pads do; it needs --parport sim");
  // Real keys with simulated pads may follow a script.
  EXPECT_TRUE(
      ParseRunnerOptions({"--script", "pads.txt", "--keyboard", "uinput", "doc.ini"}).options);
  EXPECT_NE(kRunnerHelp.find("--parport sim|ppdev[:DEVICE]|direct"), std::string::npos);
}

TEST(RunnerHardware, HardwareThatCannotBeHadEndsTheRunnerBeforeTheExecution) {
  HomeFixture fixture;
  const RunnerResult result =
      RunRunner({"--home", fixture.home, "--parport", "ppdev:/nonexistent/parport9", "--ticks", "1",
                 "--fast", fixture.Document(WithQuietButtons("[snes 1]\n"))});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "zarvel-run: /nonexistent/parport9 is missing or has no port behind it: is the "
            "parport_pc module loaded? (sudo modprobe -a parport_pc ppdev)\n");
}

TEST(RunnerHardware, RunsOnTheFactorysHardwareAndReleasesItBeforeReturning) {
  HomeFixture fixture;
  FakeSystemCalls calls;
  FakeEvdevCalls evdev;
  calls.MakeFile("/dev/parport0");
  calls.status = 0x78;  // The pad is plugged in and idle.
  RunnerOptions options;
  options.configPath = fixture.Document(WithQuietButtons("[snes 1]\n"));
  options.home = fixture.home;
  options.tickLimit = 2;
  options.fast = true;
  options.hardware.parport = ParportBackEnd::kPpdev;
  HardwareFactory factory(options.hardware, calls, evdev);
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  // The runner changes into the document's directory, which goes with the fixture; the tests
  // run after this one in the same process need a current directory that still exists.
  const std::filesystem::path before = std::filesystem::current_path();
  EXPECT_EQ(RunConfiguration(options, state, out, err, {}, factory), kExitNormal) << err.str();
  std::filesystem::current_path(before);
  EXPECT_EQ(state.PadCount, 1);
  EXPECT_GT(calls.Count("ioctl PPRSTATUS"), 12);
  ASSERT_GE(calls.log.size(), 2u);
  EXPECT_EQ(calls.log[calls.log.size() - 2], "ioctl PPRELEASE");
  EXPECT_EQ(calls.log.back(), "flock LOCK_UN");
}

TEST(RunnerHardware, AStopLetsGoOfHeldKeysTheKeyboardAndThePortBeforeTheRunnerReturns) {
  HomeFixture fixture;
  FakeSystemCalls calls;
  FakeEvdevCalls evdev;
  calls.MakeFile("/dev/parport0");
  calls.MakeFile("/dev/uinput");
  testing::PadBehindDevice pad(testing::Holding(SimButton::kL));
  calls.simulatedPort = &pad.port;
  RunnerOptions options;
  options.configPath = fixture.Document("[snes 1]\nl = a\n" + std::string(testing::kQuietButtons));
  options.home = fixture.home;
  options.fast = true;
  options.hardware.parport = ParportBackEnd::kPpdev;
  options.hardware.keyboard = KeyboardBackEnd::kUinput;
  HardwareFactory factory(options.hardware, calls, evdev);
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  // The stop comes as a signal would, while l is held and a is down.
  const std::filesystem::path before = std::filesystem::current_path();
  int polls = 0;
  EXPECT_EQ(RunConfiguration(
                options, state, out, err, [&] { return ++polls == 3; }, factory),
            kExitNormal)
      << err.str();
  std::filesystem::current_path(before);
  ASSERT_GE(evdev.events.size(), 4u);
  EXPECT_EQ(evdev.events.front(), (PostedEvent{EV_KEY, KEY_A, 1}));
  EXPECT_EQ(evdev.events[evdev.events.size() - 2], (PostedEvent{EV_KEY, KEY_A, 0}));
  EXPECT_EQ(evdev.destroyed, 1);
  EXPECT_EQ(evdev.eventsWhenDestroyed, evdev.events.size());
  ASSERT_GE(calls.log.size(), 2u);
  EXPECT_EQ(calls.log[calls.log.size() - 2], "ioctl PPRELEASE");
  EXPECT_EQ(calls.log.back(), "flock LOCK_UN");
}

TEST(RunnerHardware, TheVirtualKeyboardGetsEveryKeyOfATickInThatTick) {
  for (const char* method : {"old", "new", "newest"}) {
    HomeFixture fixture;
    fixture.dir.Write("home/keys.cfg", "1e 9e a\n30 b0 b\n2d ad x\n0 0 none\n");
    FakeSystemCalls calls;
    FakeEvdevCalls evdev;
    calls.MakeFile("/dev/uinput");
    RunnerOptions options;
    options.configPath =
        fixture.Document(std::string("[config]\nKeySimMethod = ") + method +
                         "\n[snes 1]\na = a\nb = b\nx = x\n" + std::string(testing::kQuietButtons));
    options.script = fixture.dir.Write("pads.txt", "1 1 a b x\n");
    options.home = fixture.home;
    options.tickLimit = 2;
    options.fast = true;
    options.hardware.keyboard = KeyboardBackEnd::kUinput;
    HardwareFactory factory(options.hardware, calls, evdev);
    ProcessState state;
    std::ostringstream out;
    std::ostringstream err;
    const std::filesystem::path before = std::filesystem::current_path();
    EXPECT_EQ(RunConfiguration(options, state, out, err, {}, factory), kExitNormal) << err.str();
    std::filesystem::current_path(before);
    // Three buttons pressed in tick 1 are three keys down in tick 1; the end lets them go.
    EXPECT_EQ(out.str(),
              "1 30 b pressed\n1 1E a pressed\n1 2D x pressed\n"
              "3 AD x released\n4 9E a released\n5 B0 b released\n")
        << method;
    ASSERT_GE(evdev.events.size(), 6u) << method;
    EXPECT_EQ(evdev.events[4], (PostedEvent{EV_KEY, KEY_X, 1})) << method;
  }
}

}  // namespace
}  // namespace zarvel
