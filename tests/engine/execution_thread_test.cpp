#include "engine/execution_thread.h"

#include <gtest/gtest.h>

#include "base/bad_thing.h"
#include "support/execution_fixture.h"
#include "support/fake_host.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

using testing::FakeHost;
using testing::HomeFixture;

class ExecutionThreadTest : public testing::ExecutionFixture {
 protected:
  void Execute(FakeHost& host, const std::string& document) { ExecuteDocument(host, document); }
};

TEST_F(ExecutionThreadTest, TicksUntilStoppedThenFinishes) {
  FakeHost host(runBlock_, 3);
  Execute(host, fixture_.Document(std::string("[config]\nTickFreq = 3\n[snes]\n") +
                                  testing::kQuietButtons.data()));
  EXPECT_EQ(host.ticks, (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(host.sleeps, (std::vector<int32_t>{333, 333, 333}));
  EXPECT_TRUE(host.badThings.empty());
  EXPECT_EQ(runBlock_.finished, 1);
  EXPECT_FALSE(state_.files.localFile || state_.files.globalFile);
}

TEST_F(ExecutionThreadTest, StopDuringConfigurationRunsNoTick) {
  FakeHost host(runBlock_);
  runBlock_.path = fixture_.Document("");
  runBlock_.homeDir = fixture_.home;
  // Asked to stop while configuring: the thread first looks at the flag after the whole
  // configuration, so the configuration completes and no tick runs.
  runBlock_.running = 0;
  runBlock_.finished = 0;
  ExecutionThread(runBlock_, state_, host);
  EXPECT_NE(host.trace.find("Reading config data...Done"), std::string::npos);
  EXPECT_TRUE(host.ticks.empty());
  EXPECT_EQ(runBlock_.finished, 1);
}

TEST_F(ExecutionThreadTest, ErrorShowsItsBoxBeforeFinishingAndLeavesRunningAsItWas) {
  FakeHost host(runBlock_);
  Execute(host, fixture_.Document("[config]\nTickFreq = 0\n"));
  ASSERT_EQ(host.badThings.size(), 1u);
  EXPECT_EQ(host.badThings[0],
            "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n");
  EXPECT_EQ(host.finishedWhileBoxShown, 0);
  EXPECT_EQ(runBlock_.finished, 1);
  EXPECT_EQ(runBlock_.running, 1);
  EXPECT_TRUE(host.ticks.empty());
  EXPECT_FALSE(state_.files.localFile || state_.files.globalFile);
}

TEST_F(ExecutionThreadTest, MissingDocumentIsReportedUnderItsOwnPath) {
  FakeHost host(runBlock_);
  Execute(host, "/no/such/dir/doc.ini");
  ASSERT_EQ(host.badThings.size(), 1u);
  EXPECT_EQ(host.badThings[0],
            "Could not locate initiate file \"/no/such/dir/doc.ini\": No such file or directory\n");
  EXPECT_EQ(host.badThingPlaces[0].file, "/no/such/dir/doc.ini");
}

TEST_F(ExecutionThreadTest, NextExecutionStartsFromTheResetStateButKeepsTheTraceCount) {
  FakeHost failing(runBlock_);
  Execute(failing, fixture_.Document("[config]\nKeySimMethod = bogus\n"));
  ASSERT_EQ(failing.badThings.size(), 1u);
  state_.trace.traceLineCount = 40;

  FakeHost host(runBlock_, 2);
  Execute(host, fixture_.Document(std::string("[config]\nTickFreq = 1000\n[snes]\n") +
                                      testing::kQuietButtons.data(),
                                  "other.ini"));
  EXPECT_TRUE(host.badThings.empty());
  EXPECT_EQ(state_.files.localName, fixture_.dir.Slash() + "other.ini");
  EXPECT_EQ(host.ticks.size(), 2u);
  EXPECT_EQ(state_.trace.traceLineCount, 40);
  EXPECT_EQ(state_.trace.sink, nullptr);
}

TEST_F(ExecutionThreadTest, ProcessEndingStopGoesToTheHost) {
  FakeHost host(runBlock_);
  // The circuit file wires no NES pad, which ends the whole process.
  Execute(host, fixture_.Document("[nes]\n"));
  EXPECT_EQ(host.processStops,
            (std::vector<std::string>{
                "Bad Thing: " + fixture_.home +
                "circuits.ini: Could not find pin definition \"clock\" for nes controller. Looked "
                "for under [nes], [nes1] and [nes 1].\n"}));
  EXPECT_TRUE(host.badThings.empty());
  EXPECT_EQ(runBlock_.finished, 1);
  // The files are closed, but nothing more is traced once the process is ended.
  EXPECT_FALSE(state_.files.localFile || state_.files.globalFile);
  EXPECT_EQ(host.trace, host.traceAtProcessStop);
}

TEST(TickSchedule, TicksStartOnePeriodApartAndAnOverrunWaitsForTheNextSlot) {
  using std::chrono::milliseconds;
  const std::chrono::steady_clock::time_point start{};
  TickSchedule schedule(milliseconds(10), start);
  // However long a tick's work, the next starts a period after the one before.
  EXPECT_EQ(schedule.Next(start + milliseconds(1)), start + milliseconds(10));
  EXPECT_EQ(schedule.Next(start + milliseconds(19)), start + milliseconds(20));
  // A tick that ends at 47 ms missed the start at 30 and 40: the next waits for 50, no burst.
  EXPECT_EQ(schedule.Next(start + milliseconds(47)), start + milliseconds(50));
  EXPECT_EQ(schedule.Next(start + milliseconds(50)), start + milliseconds(60));
}

}  // namespace
}  // namespace zarvel
