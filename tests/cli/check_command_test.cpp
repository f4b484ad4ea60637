#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "cli/check_command.h"
#include "support/fake_system_calls.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"
#include "support/runner_process.h"

namespace zarvel {
namespace {

using testing::HomeFixture;
using testing::RunnerResult;
using testing::RunRunner;

TEST(CheckCommandTest, PrintsEachProblemAsFileLineMessageAndExitsThreeOnlyWithProblems) {
  HomeFixture fixture;
  const std::string faulty =
      fixture.Document(testing::WithQuietButtons("[config]\nTickFrq = 50\n[snes]\n"));
  const RunnerResult found = RunRunner({"--check", "--home", fixture.home, faulty});
  EXPECT_EQ(found.status, 3) << found.err;
  EXPECT_EQ(found.out,
            faulty + ":2: nothing reads \"TickFrq\" in [config]: it is no setting of [config]\n");

  // The check runs on the simulated PC whatever hardware is asked for, and ticks nothing.
  const std::string clean = fixture.Document(testing::WithQuietButtons("[snes]\n"), "clean.ini");
  const RunnerResult none = RunRunner(
      {"--check", "--parport", "direct", "--keyboard", "direct", "--home", fixture.home, clean});
  EXPECT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "");
}

TEST(CheckCommandTest, AHomeMadeThroughSudoBelongsToTheUserAsWithEveryOtherRun) {
  HomeFixture fixture;
  testing::FakeSystemCalls calls;
  calls.effectiveUser = 0;
  calls.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1001"}};
  RunnerOptions options;
  options.home = fixture.dir.Slash() + "fresh/";
  options.configPath = fixture.Document(testing::WithQuietButtons("[snes]\n"));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(CheckConfigurationCommand(options, out, err, calls), 0) << out.str();
  EXPECT_EQ(err.str(), "zarvel-run: created the home directory " + options.home +
                           " with the default zarvel.ini, circuits.ini and keys.cfg\n");
  EXPECT_EQ(calls.Count("fchown "), 4);
  EXPECT_EQ(calls.Count("fchown " + fixture.dir.Slash() + ".fresh.new-"), 4);
}

// Twenty runs, or twenty checks, started at once on a home that does not exist yet all find it
// complete, and only one of them says it made it.
TEST(CheckCommandTest, TwentyRunsStartedAtOnceOnANewHomeAllSucceedAndOneCreatesIt) {
  constexpr int kRuns = 20;
  HomeFixture fixture;
  const std::string document = fixture.Document(testing::WithQuietButtons("[snes]\n"));
  for (const std::string mode : {"run", "check"}) {
    const std::string home = fixture.dir.Slash() + mode + "/new/";
    const std::vector<std::string> arguments =
        mode == "check"
            ? std::vector<std::string>{"--check", "--home", home, document}
            : std::vector<std::string>{"--fast", "--ticks", "2", "--home", home, document};
    std::vector<RunnerResult> results(kRuns);
    std::vector<std::thread> runs;
    for (int i = 0; i < kRuns; ++i) {
      runs.emplace_back([&, i] { results[static_cast<size_t>(i)] = RunRunner(arguments); });
    }
    int created = 0;
    for (int i = 0; i < kRuns; ++i) {
      runs[static_cast<size_t>(i)].join();
      const RunnerResult& result = results[static_cast<size_t>(i)];
      EXPECT_EQ(result.status, 0) << mode << ": " << result.err << result.out;
      created += result.err.find("created the home directory") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(created, 1) << mode;
  }
}

}  // namespace
}  // namespace zarvel
