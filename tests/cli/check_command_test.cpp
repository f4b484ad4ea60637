#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarvel
