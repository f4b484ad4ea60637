#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/runner.h"
#include "cli/runner_options.h"
#include "hardware/game_pads.h"
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

// The runner in this process, on fake system calls: a home directory, a document, the options
// that run it fast, and what the runner printed.
struct RunnerOnFakes {
  explicit RunnerOnFakes(const std::string& document) {
    options.configPath = fixture.Document(document);
    options.home = fixture.home;
    options.fast = true;
  }

  // Runs it, and comes back to the directory the test started in: the runner changes into the
  // document's directory, which goes with the fixture.
  int Run(const RequestPoll& requests = {}) {
    // The factory outlives the run, as a program's does, keeping the devices it opened.
    factory.emplace(options.hardware, calls, evdev);
    const std::filesystem::path before = std::filesystem::current_path();
    const int status = RunConfiguration(options, state, out, err, requests, *factory);
    std::filesystem::current_path(before);
    return status;
  }

  HomeFixture fixture;
  FakeSystemCalls calls;
  FakeEvdevCalls evdev;
  RunnerOptions options;
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  std::optional<HardwareFactory> factory;
};

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
  RunnerOnFakes runner(WithQuietButtons("[snes 1]\n"));
  runner.calls.MakeFile("/dev/parport0");
  runner.calls.status = 0x78;  // The pad is plugged in and idle.
  runner.options.tickLimit = 2;
  runner.options.hardware.parport = ParportBackEnd::kPpdev;
  EXPECT_EQ(runner.Run(), kExitNormal) << runner.err.str();
  EXPECT_EQ(runner.state.PadCount, 1);
  const FakeSystemCalls& calls = runner.calls;
  EXPECT_GT(calls.Count("ioctl PPRSTATUS"), 12);
  ASSERT_GE(calls.log.size(), 2u);
  EXPECT_EQ(calls.log[calls.log.size() - 2], "ioctl PPRELEASE");
  EXPECT_EQ(calls.log.back(), "flock LOCK_UN");
}

TEST(RunnerHardware, AStopLetsGoOfHeldKeysTheKeyboardAndThePortBeforeTheRunnerReturns) {
  RunnerOnFakes runner("[snes 1]\nl = a\n" + std::string(testing::kQuietButtons));
  runner.calls.MakeFile("/dev/parport0");
  runner.calls.MakeFile("/dev/uinput");
  testing::PadBehindDevice pad(testing::Holding(SimButton::kL));
  runner.calls.simulatedPort = &pad.port;
  runner.options.hardware.parport = ParportBackEnd::kPpdev;
  runner.options.hardware.keyboard = KeyboardBackEnd::kUinput;
  // The stop comes as a signal would, while l is held and a is down.
  int polls = 0;
  EXPECT_EQ(runner.Run([&] { return ++polls == 3 ? RunnerRequest::kStop : RunnerRequest::kNone; }),
            kExitNormal)
      << runner.err.str();
  const FakeEvdevCalls& evdev = runner.evdev;
  ASSERT_GE(evdev.events.size(), 4u);
  EXPECT_EQ(evdev.events.front(), (PostedEvent{EV_KEY, KEY_A, 1}));
  EXPECT_EQ(evdev.events[evdev.events.size() - 2], (PostedEvent{EV_KEY, KEY_A, 0}));
  EXPECT_EQ(evdev.destroyed, 1);
  EXPECT_EQ(evdev.eventsWhenDestroyed, evdev.events.size());
  const FakeSystemCalls& calls = runner.calls;
  ASSERT_GE(calls.log.size(), 2u);
  EXPECT_EQ(calls.log[calls.log.size() - 2], "ioctl PPRELEASE");
}

TEST(RunnerHardware, TheVirtualKeyboardGetsEveryKeyOfATickInThatTick) {
  for (const char* method : {"old", "new", "newest"}) {
    RunnerOnFakes runner(std::string("[config]\nKeySimMethod = ") + method +
                         "\n[snes 1]\na = a\nb = b\nx = x\n" + std::string(testing::kQuietButtons));
    runner.fixture.dir.Write("home/keys.cfg", "1e 9e a\n30 b0 b\n2d ad x\n0 0 none\n");
    runner.calls.MakeFile("/dev/uinput");
    runner.options.script = runner.fixture.dir.Write("pads.txt", "1 1 a b x\n");
    runner.options.tickLimit = 2;
    runner.options.hardware.keyboard = KeyboardBackEnd::kUinput;
    EXPECT_EQ(runner.Run(), kExitNormal) << runner.err.str();
    // Three buttons pressed in tick 1 are three keys down in tick 1; the end lets them go.
    EXPECT_EQ(runner.out.str(),
              "1 30 b pressed\n1 1E a pressed\n1 2D x pressed\n"
              "3 AD x released\n4 9E a released\n5 B0 b released\n")
        << method;
    ASSERT_GE(runner.evdev.events.size(), 6u) << method;
    EXPECT_EQ(runner.evdev.events[4], (PostedEvent{EV_KEY, KEY_X, 1})) << method;
  }
}

// A PlayStation pad on the kernel documentation's lines (command 2, select 3, clock 4, data 10)
// behind the parallel-port device and behind direct port access: both back ends carry its
// exchange, and cross held types a.
TEST(RunnerHardware, APsxPadIsReadThroughBothBackEnds) {
  for (const ParportBackEnd backEnd : {ParportBackEnd::kPpdev, ParportBackEnd::kDirect}) {
    std::string document = "[psx 1]\ncross = a\nNumShifts = 0\nRepeatRate = 10\n";
    for (const char* button : kPsxButtonOrder) {
      document += std::string(button) + " = none\n";
    }
    RunnerOnFakes runner(document);
    runner.fixture.dir.Write("home/circuits.ini",
                             "[psx]\ncommand = 2\nselect = 3\nclock = 4\npower = 5\ndata = 10\n");
    runner.calls.MakeFile("/dev/parport0");
    SimParallelPort simPort(0x378);
    PadInput input;
    input.Hold(SimButton::kCross);
    SimGamePad pad(SimPadKind::kPsx, PadCable{{4}, {3}, {5}, {10}, {2}, {}}, [&] { return input; });
    simPort.Plug(pad);
    runner.calls.simulatedPort = &simPort;
    runner.options.tickLimit = 2;
    runner.options.hardware.parport = backEnd;
    EXPECT_EQ(runner.Run(), kExitNormal) << runner.err.str();
    EXPECT_EQ(runner.out.str(), "1 1E a pressed\n3 9E a released\n");
    const FakeSystemCalls& calls = runner.calls;
    if (backEnd == ParportBackEnd::kPpdev) {
      // Each bit writes the clock low and high and reads the status once.
      EXPECT_GE(calls.Count("ioctl PPRSTATUS"), 3 * 40);
    } else {
      EXPECT_GE(calls.Count("in 0x379"), 3 * 40);
    }
  }
}

// A six-button Genesis pad on the kernel documentation's lines (pins 2 to 7, select on 14,
// power from 1) behind the parallel-port device and behind direct port access: the data lines
// are turned to input through each back end's own way, and z held types a.
TEST(RunnerHardware, AGenesisPadIsReadThroughBothBackEndsWithTheDataPortTurnedToInput) {
  for (const ParportBackEnd backEnd : {ParportBackEnd::kPpdev, ParportBackEnd::kDirect}) {
    std::string document = "[genesis 1]\nz = a\nNumShifts = 0\nRepeatRate = 10\n";
    for (const char* button : kGenesisButtonOrder) {
      document += std::string(button) + " = none\n";
    }
    RunnerOnFakes runner(document);
    runner.fixture.dir.Write("home/circuits.ini",
                             "[genesis]\nup = 2\ndown = 3\nleft = 4\nright = 5\nb = 6\nc = 7\n"
                             "select = 14\npower = 1\n");
    runner.calls.MakeFile("/dev/parport0");
    SimParallelPort simPort(0x378);
    PadInput input;
    input.Hold(SimButton::kZ);
    // Every read of the pad reads the data register four times: their count stands in for the
    // ticks, between which the pad stops counting its select pulses.
    SimGamePad pad(SimPadKind::kGenesis,
                   PadCable{{}, {14}, {1}, {}, {}, {{{2}, {3}, {4}, {5}, {6}, {7}}}}, [&] {
                     PadInput now = input;
                     now.tick =
                         (runner.calls.Count("ioctl PPRDATA") + runner.calls.Count("in 0x378")) / 4;
                     return now;
                   });
    simPort.Plug(pad);
    runner.calls.simulatedPort = &simPort;
    runner.options.tickLimit = 2;
    runner.options.hardware.parport = backEnd;
    EXPECT_EQ(runner.Run(), kExitNormal) << runner.err.str();
    EXPECT_EQ(runner.out.str(), "1 1E a pressed\n3 9E a released\n");
    const FakeSystemCalls& calls = runner.calls;
    if (backEnd == ParportBackEnd::kPpdev) {
      // Driving at the claim, reading from the Genesis pad's discovery on.
      EXPECT_EQ(calls.Count("ioctl PPDATADIR"), 2);
      EXPECT_TRUE(calls.dataLinesRead);
      EXPECT_GE(calls.Count("ioctl PPRDATA"), 3 * 4);
    } else {
      EXPECT_GE(calls.Count("in 0x378"), 3 * 4);
    }
  }
}

}  // namespace
}  // namespace zarvel
