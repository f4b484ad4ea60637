#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "support/quiet_buttons.h"
#include "support/runner_process.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using testing::RunnerResult;
using testing::RunRunner;
using testing::TempDir;

// zarvel-run on a document of the test's own, with a home directory that starts with the
// shipped defaults.
struct RunnerPadsTest : ::testing::Test {
  RunnerResult Run(std::string_view document, const std::vector<std::string>& options = {}) {
    std::vector<std::string> arguments = {"--home", Home(), "--fast", "--ticks", "3", "--trace"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(
        dir.Write("document.ini", std::string(document) + testing::kQuietButtons.data()));
    return RunRunner(arguments);
  }

  std::string Home() const { return dir.Slash() + "home/"; }
  std::string Script(std::string_view text) { return dir.Write("pads.txt", text); }

  static int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++count;
    }
    return count;
  }

  TempDir dir;
};

constexpr char kNoPads[] = "Bad Thing: Could not find any control pad info in ini file.\n";

TEST_F(RunnerPadsTest, AnOnlyNesTwoSectionFindsOneNesPad) {
  const RunnerResult result = Run("[nes 2]\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 1);
  EXPECT_EQ(Count(result.err, "Found nes pad 2..."), 1);
}

TEST_F(RunnerPadsTest, NinePadSectionsMakeNinePadsAndATenthEndsTheExecution) {
  const std::string nine =
      "[snes 1]\n[snes 2]\n[snes 3]\n[snes 4]\n[snes 5]\n[nes 1]\n[nes 2]\n[nes 3]\n[nes 4]\n";
  RunnerResult result = Run(nine);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 9);

  result = Run(nine + "[nes 5]\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, "Bad Thing: Maximum number of controllers exceded.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, NoPadSectionEndsTheExecution) {
  const RunnerResult result = Run("[config]\nTickFreq = 100\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, kNoPads), 1) << result.err;
}

TEST_F(RunnerPadsTest, AnUnpluggedSnesPadEndsTheExecution) {
  const RunnerResult result = Run("[snes 2]\n[nes 1]\n", {"--script", Script("0 1 unplugged\n")});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(Count(result.err, "Bad Thing: The SNES controller does not seem to be connected.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, AnUnpluggedNesPadEndsTheProcess) {
  const RunnerResult result = Run("[snes 2]\n[nes 1]\n", {"--script", Script("0 2 unplugged\n")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Count(result.err, "Bad Thing: The NES controller does not seem to be connected.\n"), 1)
      << result.err;
  EXPECT_EQ(Count(result.err, "Bad Thing"), 1);
}

TEST_F(RunnerPadsTest, APadUnpluggedAfterItsInitialisationIsNotNoticed) {
  const RunnerResult result =
      Run("[nes]\n", {"--script", Script("# pulled out later\n1 1 unplugged\n")});
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST_F(RunnerPadsTest, AMissingPinItemEndsTheProcess) {
  Run("[snes]\n");  // Creates the home directory with the shipped files.
  dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\n");
  const RunnerResult result = Run("[snes]\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(Count(result.err,
                  "circuits.ini: Could not find pin definition \"data\" for snes controller. "
                  "Looked for under [snes], [snes1] and [snes 1].\n"),
            1)
      << result.err;
}

TEST_F(RunnerPadsTest, AnInvalidPinItemEndsTheExecution) {
  Run("[snes]\n");
  dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = ,\ndata = 10\n");
  const RunnerResult result = Run("[snes]\n");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(
      Count(result.err, "Bad Thing: \",\" is not a valid pin definition for snes controller.\n"), 1)
      << result.err;
}

TEST_F(RunnerPadsTest, AMalformedScriptIsAUsageErrorNamingFileAndLine) {
  const std::string script = Script("0 1 a\n0 1 jump\n");
  const RunnerResult result = Run("[snes]\n", {"--script", script});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(Count(result.err, script + ":2: \"jump\" is not a button"), 1) << result.err;
  EXPECT_EQ(Count(result.err, "Found"), 0);  // Nothing was executed.
}

TEST_F(RunnerPadsTest, AnUnpluggedPadLetsGoOfItsKeysAndTypesNothingUntilItIsBackTwoTicks) {
  const std::string document =
      dir.Write("document.ini", "[snes 1]\na = a\n" + std::string(testing::kQuietButtons));
  const RunnerResult result = RunRunner({"--home", Home(), "--fast", "--ticks", "9", "--script",
                                         Script("1 1 a\n3 1 unplugged\n6 1 a\n"), document});
  EXPECT_EQ(result.status, 0) << result.err;
  // Every button of the unplugged pad reads as pressed, yet only a's release is typed; a goes
  // down again once the pad has passed the connected test at ticks 6 and 7.
  EXPECT_EQ(result.out, "1 1E a pressed\n3 9E a released\n7 1E a pressed\n10 9E a released\n");
  // After the line that the home directory was created.
  EXPECT_EQ(result.err.substr(result.err.find("zarvel-run: pad")),
            "zarvel-run: pad 1 ([snes 1]) seems unplugged\n"
            "zarvel-run: pad 1 ([snes 1]) is back\n");
}

TEST_F(RunnerPadsTest, MonitorPrintsEveryPadChangeBeforeTheTicksBytes) {
  const std::string document =
      dir.Write("document.ini", "[snes 1]\na = a\n" + std::string(testing::kQuietButtons));
  const RunnerResult result =
      RunRunner({"--home", Home(), "--fast", "--ticks", "10", "--monitor", "--script",
                 Script("2 1 a b\n4 1 b\n6 1 unplugged\n8 1 a\n"), document});
  EXPECT_EQ(result.status, 0) << result.err;
  // Buttons in read order (b before a). The unplugged pad lets go of b without a line, and the
  // button it holds once it is back, two ticks after its script says so, comes down again.
  EXPECT_EQ(result.out,
            "2 pad 1 b down\n2 pad 1 a down\n2 1E a pressed\n"
            "4 pad 1 a up\n4 9E a released\n"
            "6 pad 1 unplugged\n"
            "9 pad 1 back\n9 pad 1 a down\n9 1E a pressed\n"
            "11 9E a released\n");
}

// --tick-times: the lines of --monitor, each ending with when its tick read the pads on the
// monotonic clock, between the clock's readings before and after the run, and in tick order.
TEST_F(RunnerPadsTest, TickTimesEndEachChangeWithTheMonotonicTimeOfItsTick) {
  const std::string document =
      dir.Write("document.ini", "[snes 1]\na = a\n" + std::string(testing::kQuietButtons));
  const auto now = [] {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
  };
  const double before = now();
  const RunnerResult result = RunRunner({"--home", Home(), "--ticks", "6", "--tick-times",
                                         "--script", Script("2 1 a\n4 1 -\n"), document});
  const double after = now();
  EXPECT_EQ(result.status, 0) << result.err;
  std::istringstream lines(result.out);
  std::vector<std::string> changes;
  double last = before;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(" pad ") == std::string::npos) {
      continue;
    }
    const size_t space = line.rfind(' ');
    const std::string time = line.substr(space + 1);
    ASSERT_EQ(time.size() - time.find('.'), 10u) << line;  // Nine decimals.
    const double at = std::stod(time);
    EXPECT_GE(at, last) << line;
    EXPECT_LE(at, after) << line;
    last = at;
    changes.push_back(line.substr(0, space));
  }
  EXPECT_EQ(changes, (std::vector<std::string>{"2 pad 1 a down", "4 pad 1 a up"}));
}

// The shipped PlayStation example with its script, on the default home's [psx 1] wiring: a
// digital press, up and down together as a dance mat presses them, the left stick once the pad
// answers as analog, and the pad unplugged, which its missing identity byte tells.
TEST_F(RunnerPadsTest, APsxPadTypesItsButtonsStickAndDanceMatPressesAndIsMissedUnplugged) {
  const std::string example = ZARVEL_SOURCE_DIR "/examples/psx_pad";
  const RunnerResult result = RunRunner({"--home", Home(), "--fast", "--ticks", "18", "--monitor",
                                         "--script", example + ".script", example + ".ini"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "2 pad 1 cross down\n2 39 space pressed\n4 pad 1 cross up\n4 B9 space released\n"
            "6 pad 1 up down\n6 pad 1 down down\n6 E0 prefix\n7 48 up pressed\n"
            "8 pad 1 up up\n8 pad 1 down up\n8 E0 prefix\n9 50 down pressed\n"
            "10 pad 1 lup down\n10 E0 prefix\n11 C8 up released\n12 pad 1 lup up\n"
            "12 E0 prefix\n13 D0 down released\n14 pad 1 unplugged\n14 11 w pressed\n"
            "15 91 w released\n17 pad 1 back\n");
}

// The shipped Genesis example with its script, on the default home's [genesis 1] wiring: a
// six-button pad's a, start, z and mode, then a three-button pad whose third phase is left.
TEST_F(RunnerPadsTest, AGenesisPadTypesItsButtonsWithSixButtonsAndWithThree) {
  const std::string example = ZARVEL_SOURCE_DIR "/examples/genesis_pad";
  const RunnerResult result = RunRunner({"--home", Home(), "--fast", "--ticks", "13", "--monitor",
                                         "--script", example + ".script", example + ".ini"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "1 pad 1 a down\n1 pad 1 start down\n1 39 space pressed\n2 1C enter pressed\n"
            "3 pad 1 a up\n3 pad 1 start up\n3 B9 space released\n4 9C enter released\n"
            "5 pad 1 z down\n5 pad 1 mode down\n5 2C z pressed\n6 01 esc pressed\n"
            "7 pad 1 z up\n7 pad 1 mode up\n7 AC z released\n8 81 esc released\n"
            "9 pad 1 left down\n9 E0 prefix\n10 4B left pressed\n11 pad 1 left up\n"
            "11 E0 prefix\n12 CB left released\n");
}

// A Genesis pad turns the data lines to input: pads that drive lines there, found before it or
// after it, end the execution at the later section rather than read nothing.
TEST_F(RunnerPadsTest, AGenesisPadSharesTheDataPinsWithNoPadThatDrivesThem) {
  for (const char* document : {"[snes 1]\n[genesis 1]\n", "[genesis 1]\n[atari 1]\n"}) {
    const RunnerResult result = Run(std::string(document) +
                                    "c = none\nz = none\nmode = none\nfire = none\n"
                                    "fire2 = none\n");
    EXPECT_EQ(result.status, 3) << document;
    EXPECT_EQ(Count(result.err,
                    "A Genesis pad reads pins 2 to 9, so no pad can drive its lines "
                    "there."),
              1)
        << result.err;
  }
}

// The shipped Atari example with its script, on the default home's [atari 1] wiring.
TEST_F(RunnerPadsTest, AnAtariStickTypesItsDirectionsAndBothFireButtons) {
  const std::string example = ZARVEL_SOURCE_DIR "/examples/atari_stick";
  const RunnerResult result = RunRunner({"--home", Home(), "--fast", "--ticks", "13", "--monitor",
                                         "--script", example + ".script", example + ".ini"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "2 pad 1 fire down\n2 39 space pressed\n4 pad 1 fire up\n4 B9 space released\n"
            "6 pad 1 left down\n6 pad 1 fire2 down\n6 E0 prefix\n7 4B left pressed\n"
            "8 pad 1 left up\n8 pad 1 fire2 up\n8 1C enter pressed\n9 E0 prefix\n"
            "10 CB left released\n11 9C enter released\n");
}

}  // namespace
}  // namespace zarvel
