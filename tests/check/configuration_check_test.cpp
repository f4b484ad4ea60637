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

}  // namespace
}  // namespace zarvel
