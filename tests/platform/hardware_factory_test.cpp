#include "platform/hardware_factory.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "engine/execution_thread.h"
#include "inject/key_sim_methods.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"
#include "support/home_fixture.h"
#include "support/key_pushing_host.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

using testing::WithQuietButtons;

using testing::FakeEvdevCalls;
using testing::FakeSystemCalls;
using testing::HomeFixture;
using testing::KeyPushingHost;
using testing::PostedEvent;

std::string ShippedCircuits() {
  std::ifstream in(ZARVEL_SOURCE_DIR "/data/home/circuits.ini", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The document of an execution with five SNES and four NES pads, the most one port serves,
// soldered as the shipped circuit file says.
constexpr std::string_view kNinePads =
    "[snes 1]\n[snes 2]\n[snes 3]\n[snes 4]\n[snes 5]\n[nes 1]\n[nes 2]\n[nes 3]\n[nes 4]\n";

// What the status register shows with every pad plugged in and idle: each data line high
// (pins 10, 12, 13 and 15 as set bits, pin 11's inverted bit clear).
constexpr uint8_t kIdleStatus = 0x78;

class HardwareFactoryTest : public ::testing::Test {
 protected:
  HardwareFactoryTest() { fixture_.dir.Write("home/circuits.ini", ShippedCircuits()); }

  HardwareFactory Factory(std::string_view parport, std::string_view keyboard) {
    HardwareChoice choice;
    EXPECT_EQ(ReadParportChoice(parport, choice), std::nullopt);
    EXPECT_EQ(ReadKeyboardChoice(keyboard, choice), std::nullopt);
    return HardwareFactory(choice, calls_, evdev_,
                           [this](const std::string& text) { notices_.push_back(text); });
  }

  // Runs one execution of `document` on the hardware for `ticks` ticks, pushing bytes.
  void Execute(std::unique_ptr<ExecutionHardware> hardware, const std::string& document,
               int64_t ticks, std::multimap<int32_t, uint8_t> pushes = {},
               std::function<void(int32_t)> onTick = {}) {
    RunBlock runBlock;
    runBlock.path = document;
    runBlock.homeDir = fixture_.home;
    runBlock.running = 1;
    runBlock.finished = 0;
    KeyPushingHost host(runBlock, out_, err_, state_, ticks, std::move(hardware),
                        std::move(pushes));
    host.onTick = std::move(onTick);
    ExecutionThread(runBlock, state_, host);
    EXPECT_EQ(host.Ending(), RunnerEnding::kNormal) << err_.str();
  }

  HomeFixture fixture_;
  FakeSystemCalls calls_;
  FakeEvdevCalls evdev_;
  std::vector<std::string> notices_;
  ProcessState state_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(HardwareFactoryTest, TheSimulatedPcAsksNothingOfTheSystem) {
  HardwareFactory factory = Factory("sim", "sim");
  HardwareFactory::Opened opened =
      factory.Open(fixture_.Document(WithQuietButtons("[snes 1]\n")), fixture_.home);
  ASSERT_NE(opened.hardware, nullptr);
  Execute(std::move(opened.hardware), fixture_.Document(WithQuietButtons("[snes 1]\n")), 3,
          {{2, 0x1E}});
  EXPECT_EQ(out_.str(), "2 1E a pressed\n4 9E a released\n");
  EXPECT_EQ(calls_.log, std::vector<std::string>{});
}

TEST_F(HardwareFactoryTest, PpdevPadsBesideTheSimulatedKeyboardCostOneCallPerRegisterAccess) {
  calls_.MakeFile("/dev/parport0");
  calls_.status = kIdleStatus;
  HardwareFactory factory = Factory("ppdev", "sim");
  const std::string document = fixture_.Document(WithQuietButtons(kNinePads));
  HardwareFactory::Opened opened = factory.Open(document, fixture_.home);
  ASSERT_NE(opened.hardware, nullptr) << opened.error;

  std::vector<size_t> callsAtTick;
  Execute(std::move(opened.hardware), document, 3, {{1, 0x1E}},
          [&](int32_t) { callsAtTick.push_back(calls_.log.size()); });
  ASSERT_EQ(state_.PadCount, 9);
  ASSERT_EQ(callsAtTick.size(), 3u);

  // All nine pads share latch and clock, so one tick reads them in one pass: a latch pulse, then
  // for each of the 12 bits one status read and a clock pulse, every access one ioctl: 38 calls.
  const std::vector<std::string> tick(calls_.log.begin() + static_cast<long>(callsAtTick[1]),
                                      calls_.log.begin() + static_cast<long>(callsAtTick[2]));
  EXPECT_EQ(tick.size(), 38u);
  EXPECT_EQ(std::count(tick.begin(), tick.end(), "ioctl PPRSTATUS"), 12);
  ::testing::Test::RecordProperty("ppdev_calls_per_tick_of_nine_pads",
                                  static_cast<int>(tick.size()));

  // The keyboard stayed simulated: the byte reached the simulated system.
  EXPECT_EQ(out_.str(), "1 1E a pressed\n4 9E a released\n");
  // The port was locked and claimed before the first access, released and unlocked at the end.
  ASSERT_GE(calls_.log.size(), 4u);
  EXPECT_EQ(calls_.log[1], "flock LOCK_EX|LOCK_NB");
  EXPECT_EQ(calls_.log[2], "ioctl PPCLAIM");
  EXPECT_EQ(calls_.log[calls_.log.size() - 2], "ioctl PPRELEASE");
  EXPECT_EQ(calls_.log.back(), "flock LOCK_UN");
  EXPECT_EQ(calls_.Count("ioctl PPCLAIM"), 1);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(HardwareFactoryTest, PpdevKeepsTheDeviceOpenAcrossExecutionsAndClaimsForEach) {
  calls_.MakeFile("/dev/parport2");
  HardwareFactory factory = Factory("ppdev:/dev/parport2", "sim");
  const std::string document = fixture_.Document(WithQuietButtons("[snes 1]\n"));
  for (int execution = 0; execution < 2; ++execution) {
    HardwareFactory::Opened opened = factory.Open(document, fixture_.home);
    ASSERT_NE(opened.hardware, nullptr) << opened.error;
    EXPECT_EQ(calls_.Count("ioctl PPRELEASE"), execution);
  }
  EXPECT_EQ(calls_.Count("open /dev/parport2"), 1);
  EXPECT_EQ(calls_.Count("ioctl PPCLAIM"), 2);
  EXPECT_EQ(calls_.Count("ioctl PPRELEASE"), 2);
}

TEST_F(HardwareFactoryTest, ANewChoiceClosesTheDevicesItNoLongerUses) {
  for (const char* device : {"/dev/parport0", "/dev/parport1", "/dev/uinput"}) {
    calls_.MakeFile(device);
  }
  HardwareFactory factory = Factory("ppdev", "uinput");
  const std::string document = fixture_.Document(WithQuietButtons("[snes 1]\n"));
  ASSERT_NE(factory.Open(document, fixture_.home).hardware, nullptr);
  EXPECT_EQ(calls_.Count("close"), 0);

  HardwareChoice next = factory.Choice();
  ASSERT_EQ(ReadParportChoice("ppdev:/dev/parport1", next), std::nullopt);
  ASSERT_EQ(ReadKeyboardChoice("sim", next), std::nullopt);
  factory.SetChoice(next);
  // Neither /dev/parport0 nor /dev/uinput stays open for the new choice.
  EXPECT_EQ(calls_.Count("close"), 2);
  const HardwareFactory::Opened opened = factory.Open(document, fixture_.home);
  ASSERT_NE(opened.hardware, nullptr) << opened.error;
  EXPECT_EQ(calls_.Count("open /dev/parport1"), 1);
  EXPECT_EQ(calls_.Count("open /dev/uinput"), 1);
}

TEST_F(HardwareFactoryTest, PpdevRefusesAMissingDeviceAndWarnsOfDataLinesOnControlPins) {
  HardwareFactory missing = Factory("ppdev", "sim");
  const HardwareFactory::Opened refused =
      missing.Open(fixture_.Document(WithQuietButtons("[snes 1]\n")), fixture_.home);
  EXPECT_EQ(refused.hardware, nullptr);
  EXPECT_NE(refused.error.find("is the parport_pc module loaded?"), std::string::npos);

  calls_.MakeFile("/dev/parport0");
  fixture_.dir.Write("home/circuits.ini",
                     "[snes 1]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n"
                     "[snes 2]\nclock = 3\nreset = 4\npower = 5\ndata = 14\n");
  HardwareFactory factory = Factory("ppdev", "sim");
  const HardwareFactory::Opened opened =
      factory.Open(fixture_.Document(WithQuietButtons("[snes 1]\n[snes 2]\n")), fixture_.home);
  EXPECT_NE(opened.hardware, nullptr);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_NE(notices_[0].find("pad 2's data line is on pin 14, a control line"), std::string::npos)
      << notices_[0];
}

TEST_F(HardwareFactoryTest, DirectAccessGrantsExactlyThePortsUsedThenGivesUpRoot) {
  calls_.effectiveUser = 0;
  calls_.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1000"}};
  // The pad's status port shows it idle; the controller's status shows nothing pending.
  calls_.answerIn = [](uint16_t port) -> uint8_t { return port == 0x279 ? kIdleStatus : 0x00; };
  HardwareFactory factory = Factory("direct", "direct");
  const std::string document =
      fixture_.Document(WithQuietButtons("[config]\nPort = 278\n[snes 1]\n"));
  HardwareFactory::Opened opened = factory.Open(document, fixture_.home);
  ASSERT_NE(opened.hardware, nullptr) << opened.error;
  EXPECT_EQ(calls_.log, (std::vector<std::string>{"read /proc/ioports", "ioperm 0x278 3",
                                                  "ioperm 0x60 1", "ioperm 0x64 1", "ioperm 0x21 1",
                                                  "setgroups", "setgid 1000", "setuid 1000"}));
  EXPECT_TRUE(factory.RootGivenUp());

  calls_.log.clear();
  Execute(std::move(opened.hardware), document, 2, {{1, 0x1E}});
  // "newest" wrote the byte to the real controller; nothing reached the simulated one.
  const int command = calls_.IndexOf("out 0x64 D2");
  const int data = calls_.IndexOf("out 0x60 1E");
  ASSERT_GE(command, 0);
  EXPECT_EQ(data, command + 1 + kNewestDelayBeforeData);
  // a is still down when the execution ends, so its break code follows the same way.
  EXPECT_GT(calls_.IndexOf("out 0x60 9E"), data);
  EXPECT_EQ(calls_.Count("in 0x64"), 2 * (kNewestDelayBeforeData + kNewestDelayAfterData));
  EXPECT_EQ(out_.str(), "");

  // The next execution on the same port needs nothing new; one on another port cannot have it.
  calls_.log.clear();
  calls_.iopermError = EPERM;
  EXPECT_NE(factory.Open(document, fixture_.home).hardware, nullptr);
  EXPECT_EQ(calls_.log, std::vector<std::string>{});
  const HardwareFactory::Opened moved = factory.Open(
      fixture_.Document(WithQuietButtons("[config]\nPort = 3bc\n[snes 1]\n")), fixture_.home);
  EXPECT_EQ(moved.hardware, nullptr);
  EXPECT_NE(moved.error.find("port 0x3BC-0x3BE was not asked for when Zarvel started"),
            std::string::npos)
      << moved.error;
}

TEST_F(HardwareFactoryTest, DirectAccessWithoutPrivilegeIsRefusedBeforeTheExecution) {
  calls_.iopermError = EPERM;
  for (const auto& [parport, keyboard] : {std::pair{"direct", "sim"}, std::pair{"sim", "direct"}}) {
    HardwareFactory factory = Factory(parport, keyboard);
    const HardwareFactory::Opened opened =
        factory.Open(fixture_.Document(WithQuietButtons("[snes 1]\n")), fixture_.home);
    EXPECT_EQ(opened.hardware, nullptr);
    EXPECT_NE(opened.error.find("direct port access needs root"), std::string::npos);
  }
  EXPECT_EQ(calls_.Count("set"), 0);
}

TEST_F(HardwareFactoryTest, APortOnAnotherDeviceIsRefusedBeforeAnyPortIsAskedFor) {
  calls_.files["/proc/ioports"] = "0060-0060 : keyboard\n03f8-03ff : serial\n";
  for (const auto& [port, refusal] :
       {std::pair{"64", "Port 0x64-0x66 is below 0x100"},
        std::pair{"3f9", "Port 0x3F9-0x3FB overlaps 03f8-03ff serial"}}) {
    HardwareFactory factory = Factory("direct", "direct");
    const HardwareFactory::Opened opened = factory.Open(
        fixture_.Document(WithQuietButtons("[config]\nPort = " + std::string(port) + "\n[snes]\n")),
        fixture_.home);
    EXPECT_EQ(opened.hardware, nullptr);
    EXPECT_EQ(opened.error.rfind(refusal, 0), 0u) << opened.error;
  }
  EXPECT_EQ(calls_.Count("ioperm"), 0);
  EXPECT_EQ(calls_.Count("out"), 0);
}

TEST_F(HardwareFactoryTest, AllPortAccessIsAskedForOnlyByMethodsThatDisableInterrupts) {
  calls_.kernelRelease = "5.4.0-42-generic";  // A kernel whose iopl still grants it.
  for (const auto& [method, asks] :
       {std::pair{"old", 1}, std::pair{"new", 1}, std::pair{"NEWEST", 0}}) {
    HardwareFactory factory = Factory("sim", "direct");
    calls_.log.clear();
    const HardwareFactory::Opened opened = factory.Open(
        fixture_.Document(
            WithQuietButtons("[config]\nKeySimMethod = " + std::string(method) + "\n[snes]\n")),
        fixture_.home);
    EXPECT_NE(opened.hardware, nullptr) << opened.error;
    EXPECT_EQ(calls_.Count("iopl 3"), asks) << method;
  }
}

TEST_F(HardwareFactoryTest, StartedAsRootWithoutSudoItSaysOnceThatItKeepsRoot) {
  calls_.effectiveUser = 0;
  calls_.MakeFile("/dev/parport0");
  HardwareFactory factory = Factory("ppdev", "sim");
  const std::string document = fixture_.Document(WithQuietButtons("[snes 1]\n"));
  for (int execution = 0; execution < 2; ++execution) {
    ASSERT_NE(factory.Open(document, fixture_.home).hardware, nullptr);
  }
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_NE(notices_[0].find("not through sudo: Zarvel keeps running as root"), std::string::npos)
      << notices_[0];
  EXPECT_EQ(calls_.Count("set"), 0);
}

TEST_F(HardwareFactoryTest, TheVirtualKeyboardTypesDeliveredBytesAndLiftsHeldKeysAtTheEnd) {
  calls_.MakeFile("/dev/uinput");
  HardwareFactory factory = Factory("sim", "uinput");
  const std::string document = fixture_.Document(WithQuietButtons("[snes 1]\n"));
  HardwareFactory::Opened opened = factory.Open(document, fixture_.home);
  ASSERT_NE(opened.hardware, nullptr) << opened.error;
  // a goes down and up; left shift goes down and is still held when the execution stops, so
  // the execution lets it go in the slot after its last tick.
  Execute(std::move(opened.hardware), document, 5, {{1, 0x1E}, {2, 0x9E}, {3, 0x2A}});
  const PostedEvent report = {EV_SYN, SYN_REPORT, 0};
  EXPECT_EQ(evdev_.events, (std::vector<PostedEvent>{{EV_KEY, KEY_A, 1},
                                                     report,
                                                     {EV_KEY, KEY_A, 0},
                                                     report,
                                                     {EV_KEY, KEY_LEFTSHIFT, 1},
                                                     report,
                                                     {EV_KEY, KEY_LEFTSHIFT, 0},
                                                     report}));
  EXPECT_EQ(evdev_.destroyed, 1);
  EXPECT_EQ(evdev_.eventsWhenDestroyed, evdev_.events.size());
  // The runner still shows what the emulated controller delivered.
  EXPECT_EQ(out_.str(),
            "1 1E a pressed\n2 9E a released\n3 2A lshift pressed\n6 AA lshift released\n");
}

TEST_F(HardwareFactoryTest, AVirtualKeyboardThatCannotBeMadeIsRefusedAndReleasesThePort) {
  calls_.MakeFile("/dev/parport0");
  HardwareFactory factory = Factory("ppdev", "uinput");
  const HardwareFactory::Opened opened =
      factory.Open(fixture_.Document(WithQuietButtons("[snes 1]\n")), fixture_.home);
  EXPECT_EQ(opened.hardware, nullptr);
  EXPECT_NE(opened.error.find("/dev/uinput is missing"), std::string::npos);
  EXPECT_EQ(calls_.Count("ioctl PPCLAIM"), 1);
  EXPECT_EQ(calls_.Count("ioctl PPRELEASE"), 1);
}

}  // namespace
}  // namespace zarvel
