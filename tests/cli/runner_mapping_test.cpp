#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "platform/home_directory.h"
#include "platform/sim/pad_script.h"
#include "support/quiet_buttons.h"
#include "support/runner_process.h"
#include "support/simulated_hardware.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using testing::kUnmappedSnesButtons;

// Every button of an NES pad, mapped to nothing.
constexpr std::string_view kNesRest =
    "NumShifts = 0\na = none\nb = none\nselect = none\nstart = none\nup = none\ndown = none\n"
    "left = none\nright = none\n";

// What one execution on the simulated PC delivered and how it ended.
struct Delivered {
  std::string out;
  std::string err;
  RunnerEnding ending = RunnerEnding::kNormal;
};

// Executes documents with the runner's own host, on a home directory with the shipped files:
// pad buttons pressed by a script go through the simulated port, the engine, the key queue and
// the emulated keyboard controller, and come out as the lines the runner prints.
class RunnerMappingTest : public ::testing::Test {
 protected:
  RunnerMappingTest() { EXPECT_TRUE(SeedHomeDirectory(Home()).created); }

  std::string Home() const { return dir_.Slash() + "home/"; }

  Delivered Execute(std::string_view document, std::string_view script, int64_t ticks) {
    RunBlock runBlock;
    runBlock.path = dir_.Write("document.ini", document);
    runBlock.homeDir = Home();
    ParsedPadScript parsed = ParsePadScript(script, "script");
    EXPECT_TRUE(parsed.script) << parsed.error;
    std::ostringstream out;
    std::ostringstream err;
    RunnerHost host(runBlock, out, err, ticks, true, false,
                    testing::SimulatedHardware(runBlock.homeDir, std::move(*parsed.script)));
    runBlock.running = 1;
    runBlock.finished = 0;
    ProcessState state;
    ExecutionThread(runBlock, state, host);
    return {out.str(), err.str(), host.Ending()};
  }

  testing::TempDir dir_;
};

constexpr std::string_view kWorkedExample =
    "[config]\nTickFreq = 100\n[snes]\nNumShifts = 1\nShifts = select\nselect = none\n"
    "a = a;b\n";

TEST_F(RunnerMappingTest, AShiftedButtonTypesTheKeyOfItsShiftState) {
  const std::string document = std::string(kWorkedExample) + std::string(kUnmappedSnesButtons);
  Delivered delivered =
      Execute(document, "1 1 select\n2 1 select\n3 1 select a\n4 1 select\n5 1 -\n", 8);
  EXPECT_EQ(delivered.err, "");
  EXPECT_EQ(delivered.out, "3 30 b pressed\n4 B0 b released\n");

  // Pressed at the same tick as select, a goes down in state 0, then is let go and pressed
  // again in state 1 once the state has followed; the bytes leave one a tick.
  delivered = Execute(document, "1 1 select a\n3 1 select\n4 1 -\n", 8);
  EXPECT_EQ(delivered.out, "1 1E a pressed\n2 9E a released\n3 30 b pressed\n4 B0 b released\n");
}

TEST_F(RunnerMappingTest, ALatchedShiftStateLastsUntilItsButtonIsPressedAgain) {
  const std::string document =
      "[config]\n[snes]\nNumShifts = 1\nShifts = toggle select\n"
      "select = none\na = a;b\n" +
      std::string(kUnmappedSnesButtons);
  const Delivered delivered =
      Execute(document, "1 1 select\n2 1 -\n3 1 a\n4 1 -\n6 1 select\n7 1 -\n8 1 a\n9 1 -\n", 10);
  EXPECT_EQ(delivered.err, "");
  EXPECT_EQ(delivered.out, "3 30 b pressed\n4 B0 b released\n8 1E a pressed\n9 9E a released\n");
}

TEST_F(RunnerMappingTest, PulseShiftAndRepeatButtonsOfOneSection) {
  const std::string document =
      "[snes]\nNumShifts = 1\nShifts = toggle select\nRepeatRate = 15\na = a;lshift,a\n"
      "b = pulse esc\nx = repeat(10) b\nselect = none\n" +
      std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(document,
                                      "1 1 select\n2 1 -\n4 1 a\n6 1 -\n10 1 select\n11 1 -\n"
                                      "13 1 b\n15 1 -\n20 1 x\n45 1 -\n",
                                      52);
  EXPECT_EQ(delivered.err, "");
  EXPECT_EQ(delivered.out,
            // Shifted a: shift and a.
            "4 2A lshift pressed\n5 1E a pressed\n6 AA lshift released\n7 9E a released\n"
            // The pulse: esc down and up at the press.
            "13 01 esc pressed\n14 81 esc released\n"
            // repeat(10) steps every 10 ticks, counted from the configuration.
            "20 30 b pressed\n30 B0 b released\n40 30 b pressed\n50 B0 b released\n");
}

TEST_F(RunnerMappingTest, AHeldRepeatingButtonPressesEveryTenTicksAtRateFifteen) {
  const std::string document =
      "[config]\nRepeatRate = 15\n[snes]\na = repeat a\n" + std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(document, "1 1 a\n31 1 -\n", 40);
  EXPECT_EQ(delivered.out,
            "5 1E a pressed\n10 9E a released\n15 1E a pressed\n20 9E a released\n"
            "25 1E a pressed\n30 9E a released\n");
}

TEST_F(RunnerMappingTest, PadsQueueInDiscoveryOrderAndButtonsInIndexOrder) {
  // The NES pad's section comes first, yet the SNES pad is found, and handled, first.
  const std::string document = "[nes 2]\na = esc\nb = space\n" + std::string(kNesRest) +
                               "[snes]\nNumShifts = 1\nShifts = l\ny = b\na = x;lshift,x\n" +
                               std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(document, "1 1 a y\n1 2 b\n3 1 a y l\n4 1 a l\n4 2 a\n", 9);
  EXPECT_EQ(delivered.err, "");
  EXPECT_EQ(delivered.out,
            // Tick 1: SNES y and a (by index), then NES b.
            "1 30 b pressed\n2 2D x pressed\n3 39 space pressed\n"
            // Tick 4: SNES y released; SNES a, held as the state changes, lets go of its
            // state 0 key before pressing its state 1 keys; then NES a pressed and b released.
            "4 B0 b released\n5 AD x released\n6 2A lshift pressed\n7 2D x pressed\n"
            "8 01 esc pressed\n9 B9 space released\n"
            // The end: what is still down goes up, the last pressed first.
            "10 81 esc released\n11 AD x released\n12 AA lshift released\n");
}

// Each step of repeat(20) queues a whole scan code of two bytes, and one byte leaves a tick: a
// step that finds no room for both is skipped, so the key repeats as fast as the keyboard takes
// it, every press and release whole, instead of filling the queue.
TEST_F(RunnerMappingTest, ARepeatStepWithoutRoomIsSkipped) {
  const std::string document =
      "[config]\nKeyQueueSize = 4\n[snes]\na = repeat(20) up\n" + std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(document, "1 1 a\n", 300);
  EXPECT_EQ(delivered.ending, RunnerEnding::kNormal);
  EXPECT_EQ(delivered.err, "");
  std::istringstream lines(delivered.out);
  std::string tick;
  std::string byte;
  std::string meaning;
  std::string expected = "up pressed";
  int keys = 0;
  while (lines >> tick >> byte && std::getline(lines, meaning)) {
    if (meaning == " prefix") {
      continue;
    }
    ASSERT_EQ(meaning, " " + expected) << tick;
    expected = expected == "up pressed" ? "up released" : "up pressed";
    ++keys;
  }
  EXPECT_GT(keys, 100);
}

TEST_F(RunnerMappingTest, AFullKeyQueueEndsTheExecution) {
  const std::string document =
      "[config]\nKeyQueueSize = 4\n[snes]\na = a,b,a,b\n" + std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(document, "2 1 a\n", 5);
  EXPECT_EQ(delivered.ending, RunnerEnding::kBadThing);
  EXPECT_EQ(delivered.err, "Bad Thing: Add to a full key queue.\n");
  EXPECT_EQ(delivered.out, "");
}

TEST_F(RunnerMappingTest, AMappingErrorEndsTheExecutionBeforeTheFirstTick) {
  const Delivered delivered =
      Execute("[snes]\nNumShifts = 0\ny = a;b\n" + std::string(kUnmappedSnesButtons), "", 5);
  EXPECT_EQ(delivered.ending, RunnerEnding::kBadThing);
  EXPECT_EQ(delivered.err,
            "Bad Thing: Tried to assign more than 0 shift states to \"y\" button.\n");
}

// The shipped examples, run as the demo runs them.
TEST(ShippedExamples, EachTypesItsKeysWithoutAnErrorAndTheCableCheckShowsItsButtons) {
  const std::string examples = std::string(ZARVEL_SOURCE_DIR) + "/examples/";
  testing::TempDir dir;
  for (const char* example : {"first_pad", "shifted_pad", "two_players", "gestures"}) {
    const testing::RunnerResult result =
        testing::RunRunner({"--home", dir.Slash() + "home", "--fast", "--ticks", "80", "--script",
                            examples + example + ".script", examples + example + ".ini"});
    EXPECT_EQ(result.status, 0) << example << "\n" << result.err;
    EXPECT_EQ(result.err.find("Bad Thing"), std::string::npos) << example;
    EXPECT_NE(result.out, "") << example;
  }
  const testing::RunnerResult first =
      testing::RunRunner({"--home", dir.Slash() + "home", "--fast", "--ticks", "20", "--script",
                          examples + "first_pad.script", examples + "first_pad.ini"});
  EXPECT_EQ(first.out,
            "2 1E a pressed\n4 9E a released\n6 E0 prefix\n7 48 up pressed\n9 E0 prefix\n"
            "10 C8 up released\n12 2A lshift pressed\n13 30 b pressed\n15 B0 b released\n"
            "16 AA lshift released\n");
  // The cable check types nothing and shows each button as the README says it does.
  const testing::RunnerResult cable = testing::RunRunner(
      {"--home", dir.Slash() + "home", "--fast", "--ticks", "15", "--monitor", "--script",
       examples + "cable_check.script", examples + "cable_check.ini"});
  EXPECT_EQ(cable.out,
            "2 pad 1 b down\n3 pad 1 a down\n5 pad 1 b up\n5 pad 1 a up\n7 pad 1 unplugged\n"
            "10 pad 1 back\n10 pad 1 start down\n12 pad 1 start up\n");
  // The gestures example decides as the README's worked example says, each decision before
  // its tick's bytes.
  const testing::RunnerResult gestures =
      testing::RunRunner({"--home", dir.Slash() + "home", "--fast", "--ticks", "95", "--monitor",
                          "--script", examples + "gestures.script", examples + "gestures.ini"});
  std::string decisions;
  std::istringstream lines(gestures.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.ends_with(" down") && !line.ends_with(" up")) {
      decisions += line + "\n";
    }
  }
  EXPECT_EQ(decisions,
            "12 pad 1 l+r chord\n12 39 space pressed\n14 B9 space released\n30 pad 1 a hold\n"
            "30 2A lshift pressed\n32 AA lshift released\n41 pad 1 a double\n41 01 esc pressed\n"
            "43 81 esc released\n55 pad 1 select tap\n55 0F tab pressed\n56 8F tab released\n"
            "87 1E a pressed\n88 9E a released\n");
}

}  // namespace
}  // namespace zarvel
