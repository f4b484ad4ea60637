#include "check/configuration_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "support/fake_host.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

using testing::HomeFixture;
using testing::WithQuietButtons;

// The problems as the runner prints them, with a mark for the execution's stop.
std::vector<std::string> Listed(const std::vector<Problem>& problems) {
  std::vector<std::string> lines;
  for (const Problem& problem : problems) {
    lines.push_back(problem.file + ":" + std::to_string(problem.line) + ": " + problem.message +
                    (problem.error ? " (stop)" : ""));
  }
  return lines;
}

TEST(ConfigurationCheckTest, ListsEveryFaultWithItsLine) {
  HomeFixture fixture;
  const std::string document = fixture.Document(
      "[config]\n"
      "TickFrq = 50\n"
      "[snes]\n"
      "a = lshift\n" +
      std::string(testing::kQuietButtons) +  // Lines 5 to 18.
      "[snes 6]\n");
  const std::vector<std::string> expected = {
      document + ":4: Could not find key definition for \"lshift\". (stop)",
      document + ":2: nothing reads \"TickFrq\" in [config]: it is no setting of [config]",
      document + ":15: \"a\" is given twice in [snes]: an execution reads the first, at line 4",
      document + ":19: nothing reads [snes 6]: a pad section has no number or one from 1 to 5",
  };
  EXPECT_EQ(Listed(CheckConfiguration(document, fixture.home)), expected);

  // Gesture items and times are read; each refused gesture item is listed with its line, the
  // first as the execution's stop.
  const std::string gestures = fixture.Document(
      "[config]\nHoldTime = 300\n[snes]\nChordTime = 40\nl+r = none\na.hodl = none\n"
      "a.hold = b\nq+r = none\n" +
          std::string(testing::kQuietButtons),
      "gestures.ini");
  const std::vector<std::string> gestureProblems = {
      gestures +
          ":6: Gesture item \"a.hodl\": \"hodl\" is no gesture (hold, double or tap). (stop)",
      gestures + ":7: keys.cfg has no key \"b\"",
      gestures + ":8: Gesture item \"q+r\": \"q\" names no button of the pad.",
  };
  EXPECT_EQ(Listed(CheckConfiguration(gestures, fixture.home)), gestureProblems);

  // A configuration that an execution takes as it is written has no problem.
  const std::string clean = fixture.Document(testing::WithQuietButtons("[snes]\n"), "clean.ini");
  EXPECT_TRUE(CheckConfiguration(clean, fixture.home).empty());
}

TEST(ConfigurationCheckTest, GivesTheExecutionsOwnStopInTheFileItComesFrom) {
  HomeFixture fixture;
  const std::string document =
      fixture.Document(testing::WithQuietButtons("[config]\nKeySimMethod = newer\n[snes]\n"));
  // What an execution shows is what the check lists.
  RunBlock runBlock;
  runBlock.path = document;
  runBlock.homeDir = fixture.home;
  runBlock.running = 1;
  runBlock.finished = 0;
  testing::FakeHost host(runBlock);
  ProcessState state;
  ExecutionThread(runBlock, state, host);
  ASSERT_EQ(host.badThings.size(), 1u);
  EXPECT_EQ(Listed(CheckConfiguration(document, fixture.home)),
            std::vector<std::string>{
                document + ":2: " + host.badThings[0].substr(0, host.badThings[0].size() - 1) +
                " (stop)"});

  // What the document leaves to zarvel.ini is found there, and a pad's pins in circuits.ini.
  const std::string quiet = fixture.Document(testing::WithQuietButtons("[snes]\n"), "quiet.ini");
  fixture.Global(
      "[config]\nInternalPower = true\nPort = 378\nKeyQueueSize = 16\n8042Addr = 1f\n"
      "TickFreq = 5000\nKeySimMethod = newest\n");
  EXPECT_EQ(Listed(CheckConfiguration(quiet, fixture.home)),
            std::vector<std::string>{fixture.home +
                                     "zarvel.ini:6: \"TickFreq\" is out of range. Values should "
                                     "range from 1 to 1000. (stop)"});
  fixture.Global(testing::kValidConfig);
  fixture.dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\ndata = 99\n");
  EXPECT_EQ(Listed(CheckConfiguration(quiet, fixture.home)),
            std::vector<std::string>{fixture.home +
                                     "circuits.ini:5: \"99\" is not a valid pin definition for "
                                     "snes controller. (stop)"});
}

// Each document stops its execution with a message of another kind; the stop carries the place
// of the item, button, key or section it concerns, and Check lists it there.
TEST(ConfigurationCheckTest, PlacesEachStopAtTheLineItConcerns) {
  struct Case {
    std::string document;
    int line;
  };
  // One byte more than a button's entry holds.
  std::string tooManyBytes = "b = a";
  for (int i = 0; i < 16; ++i) {
    tooManyBytes += ",a";
  }
  tooManyBytes += "\n";
  const Case cases[] = {
      {WithQuietButtons("[snes]\nb = none\ny = a, f1\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 9\n"), 2},
      {WithQuietButtons("[snes]\nRepeatRate = 50\n"), 2},
      {WithQuietButtons("[snes]\nNumShifts = 0\nb = repeat(30) a\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 0\nb = a; a\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 1\nShifts = q\n"), 3},
      {WithQuietButtons("[snes]\n" + tooManyBytes), 2},
      {WithQuietButtons("[config]\nKeySimMethod = newer\n[snes]\n"), 2},
      {WithQuietButtons("[config]\nPort = zz\n[snes]\n"), 2},
      {WithQuietButtons("[snes]\n[snes1]\n[snes 1]\n[snes2]\n[snes 2]\n[snes3]\n[snes 3]\n"
                        "[snes4]\n[snes 4]\n[snes5]\n"),
       10},  // The pad one too many.
  };
  HomeFixture fixture;
  for (const Case& check : cases) {
    const std::string path = fixture.Document(check.document);
    const std::vector<Problem> problems = CheckConfiguration(path, fixture.home);
    ASSERT_FALSE(problems.empty()) << check.document;
    ASSERT_TRUE(problems.front().error) << check.document;
    EXPECT_EQ(problems.front().file, path) << problems.front().message;
    EXPECT_EQ(problems.front().line, check.line) << problems.front().message;
  }

  // A setting that neither file has is missing from zarvel.ini's [config], or from zarvel.ini as a
  // whole when it is empty; a button from the document's pad section.
  const std::string noRate = fixture.Document("[config]\n[snes]\nNumShifts = 0\nb = none\n");
  EXPECT_EQ(CheckConfiguration(noRate, fixture.home).front().file, fixture.home + "zarvel.ini");
  EXPECT_EQ(CheckConfiguration(noRate, fixture.home).front().line, 1);
  const std::string noY = fixture.Document("[config]\nRepeatRate = 5\n[snes]\nb = none\n");
  EXPECT_EQ(CheckConfiguration(noY, fixture.home).front().file, noY);
  EXPECT_EQ(CheckConfiguration(noY, fixture.home).front().line, 3);
  fixture.Global("");
  EXPECT_EQ(CheckConfiguration(noY, fixture.home).front().file, fixture.home + "zarvel.ini");
  EXPECT_EQ(CheckConfiguration(noY, fixture.home).front().line, 0);
  fixture.Global(testing::kValidConfig);

  // A fault of keys.cfg is placed in keys.cfg, and a missing pin in circuits.ini, without a
  // second "Bad Thing:".
  fixture.dir.Write("home/keys.cfg", "1e 9e a\nzz 0 none\n");
  const std::string quiet = fixture.Document(WithQuietButtons("[snes]\n"));
  std::vector<Problem> problems = CheckConfiguration(quiet, fixture.home);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems.front().file, fixture.home + "keys.cfg");
  EXPECT_EQ(problems.front().line, 2);
  fixture.dir.Write("home/keys.cfg", "0 0 none\n");
  fixture.dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\n");
  problems = CheckConfiguration(quiet, fixture.home);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems.front().file, fixture.home + "circuits.ini");
  EXPECT_EQ(problems.front().message,
            "Could not find pin definition \"data\" for snes controller. Looked for under "
            "[snes], [snes1] and [snes 1].");
}

// What an execution does without a word, each reported at its line: the document's text, the
// circuit file's (the fixture's when empty), and the line and the start of the message expected.
TEST(ConfigurationCheckTest, ReportsWhatAnExecutionWouldDoSilently) {
  struct Case {
    std::string document;
    std::string circuits;
    std::string file;  // "doc", "circuits" or "keys".
    int line;
    std::string message;
  };
  const std::string pins = "clock = 3\nreset = 4\npower = 5\n";
  const Case cases[] = {
      {"[snes]\na = " + std::string(120, 'x') + "\n", "", "doc", 2, "this line is longer than 100"},
      {";" + std::string(99, '-') + "a = none\n[snes]\n", "", "doc", 1, "this line is longer"},
      {"\xEF\xBB\xBF[config]\n[snes]\n", "", "doc", 1, "the file begins with a byte-order mark"},
      {std::string("[snes]\nb = no\0ne\n", 15), "", "doc", 2, "a zero byte on this line"},
      {"[snes]\na = garbage none\n", "", "doc", 2, "\"garbage\" in the value of \"a\" is passed"},
      {"[snes]\na = repeat(18 none\n", "", "doc", 2,
       "\"repeat(18\" in the value of \"a\" is read as "
       "\"repeat(18)\""},
      {"[snes]\na = none\na = none\n", "", "doc", 3, "\"a\" is given twice in [snes]"},
      {"[snes]\nNumShifts = 1\nShifts = l, r\n", "", "doc", 3, "Shifts names 2 buttons"},
      {"[config]\nTickFreq = 100abc\n[snes]\n", "", "doc", 2,
       "\"100abc\" of \"TickFreq\" is read "
       "as 100"},
      {"[config]\nPort = 1000000378\n[snes]\n", "", "doc", 2,
       "\"1000000378\" of \"Port\" has more"},
      {"[config]\nKeyQueueSize = 1\n[snes]\n", "", "doc", 2, "a KeyQueueSize of 1 holds no byte"},
      {"[snes]\ny = repeat(20) a, a, a\n", "", "doc", 2, "the repeating button \"y\""},
      {"[snes]\n", "[snes]\n" + pins + "data = 10,11\n", "circuits", 5,
       "the data line of [snes] is on more than one pin"},
      {"[snes]\n", "[snes]\n" + pins + "data = 2\n", "circuits", 5,
       "the data line of [snes] is on pin 2"},
      {"[snes]\n", "[snes]\nclock = 12\nreset = 4\npower = 5\ndata = 10\n", "circuits", 2,
       "the clock line of [snes] is on pin 12"},
      {"[snes]\n", "[snes]\nclock = 3\nreset = 4\npower = 5,14\ndata = 10\n", "circuits", 4,
       "\"power\" = 5,14 of [snes] lists pins of more than one register"},
      {"[snes 1]\n", "[snes 1]\nreset = 4\npower = 5\ndata = 10\n[snes 2]\nclock = 3\n", "circuits",
       6, "\"clock\" of the pad [snes 1] is taken from [snes 2]"},
      {"[snes]\n[snes1]\n", "[snes]\n" + pins + "data = 10\n", "circuits", 5,
       "the pad [snes1] reads its data on the same pin as [snes]"},
      {"[snes]\n", "", "keys", 3, "a value of this record is beyond a byte"},
  };
  HomeFixture fixture;
  for (const Case& check : cases) {
    SCOPED_TRACE(check.message);
    const std::string document = fixture.Document(WithQuietButtons(check.document));
    fixture.dir.Write("home/circuits.ini",
                      check.circuits.empty()
                          ? "[snes]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n"
                          : check.circuits);
    fixture.dir.Write("home/keys.cfg", "1e 9e a\n0 0 none\n11e 19e wide\n");
    const std::string file = check.file == "doc"        ? document
                             : check.file == "circuits" ? fixture.home + "circuits.ini"
                                                        : fixture.home + "keys.cfg";
    bool found = false;
    for (const Problem& problem : CheckConfiguration(document, fixture.home)) {
      found = found || (problem.file == file && problem.line == check.line &&
                        problem.message.starts_with(check.message));
    }
    EXPECT_TRUE(found) << ::testing::PrintToString(
        Listed(CheckConfiguration(document, fixture.home)));
  }
}

}  // namespace
}  // namespace zarvel
