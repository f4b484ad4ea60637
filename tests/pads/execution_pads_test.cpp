#include <gtest/gtest.h>

#include <string>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "support/fake_host.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

constexpr uint16_t kData = 0x378;
constexpr uint16_t kStatus = 0x379;

constexpr std::string_view kCircuits =
    "[snes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 10\n"
    "[nes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 12\n";

// Notes where each tick's port accesses begin.
struct TickingHost : testing::FakeHost {
  using FakeHost::FakeHost;
  void TickStarts(int64_t tick) override {
    FakeHost::TickStarts(tick);
    tickStarts.push_back(port.Log().size());
  }

  std::vector<size_t> tickStarts;
};

struct ExecutionPadsTest : ::testing::Test {
  ExecutionPadsTest() { fixture.dir.Write("home/circuits.ini", kCircuits); }

  // Runs one execution of the document to its end and returns its host.
  std::unique_ptr<TickingHost> Execute(std::string_view document, int32_t ticks) {
    runBlock.path = fixture.Document(std::string(document) + testing::kQuietButtons.data());
    runBlock.homeDir = fixture.home;
    runBlock.running = 1;
    runBlock.finished = 0;
    auto host = std::make_unique<TickingHost>(runBlock, ticks);
    ExecutionThread(runBlock, state, *host);
    EXPECT_EQ(runBlock.finished, 1);
    EXPECT_TRUE(host->badThings.empty() && host->processStops.empty());
    return host;
  }

  testing::HomeFixture fixture;
  ProcessState state;
  RunBlock runBlock;
};

TEST_F(ExecutionPadsTest, EveryTickReadsEveryPadInDiscoveryOrder) {
  // Read each by itself, as PadRead asks; together, the two pads would share one read.
  const auto host = Execute("[config]\nPadRead = each\n[nes]\n[snes]\n", 2);
  ASSERT_EQ(host->tickStarts.size(), 2u);
  const std::vector<PortAccess>& log = host->port.Log();
  const size_t snesRead = 2 + 3 * 12;
  const size_t nesRead = 2 + 3 * 8;
  // Configuration: per pad a power write and one read. Then each tick: the SNES pad, then the
  // NES pad.
  EXPECT_EQ(host->tickStarts[0], 1 + snesRead + 1 + nesRead);
  ASSERT_EQ(host->tickStarts[1] - host->tickStarts[0], snesRead + nesRead);
  EXPECT_EQ(log.size() - host->tickStarts[1], snesRead + nesRead);
  EXPECT_EQ(log[host->tickStarts[0] + 2], PortAccess::In(kStatus, 0xFF));
  EXPECT_EQ(log[host->tickStarts[0] + snesRead + 2], PortAccess::In(kStatus, 0xFF));
}

TEST_F(ExecutionPadsTest, ShadowBytesOutliveTheExecutionThatWroteThem) {
  // The first execution switches the power on (data bits 3 to 7) and leaves it on.
  Execute("[snes]\n", 1);
  EXPECT_EQ(state.port.shadow[0], 0xF8);

  // The second leaves the power alone, yet its first write keeps the power lines high.
  const auto host = Execute("[config]\nInternalPower = false\n[nes 2]\n", 1);
  ASSERT_FALSE(host->port.Log().empty());
  EXPECT_EQ(host->port.Log().front(), PortAccess::Out(kData, 0xFC));
  EXPECT_EQ(state.PadCount, 1);  // The first execution's pad is gone.
}

TEST_F(ExecutionPadsTest, ThePortOfEachExecutionIsItsOwnConfigurationsPort) {
  Execute("[config]\nPort = 0x278\n[snes]\n", 1);
  EXPECT_EQ(state.port.base, 0x278);
  const auto host = Execute("[snes]\n", 1);
  ASSERT_FALSE(host->port.Log().empty());
  EXPECT_EQ(host->port.Log().front().port, kData);
}

}  // namespace
}  // namespace zarvel
