#include <gtest/gtest.h>

#include <string>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/execution_host.h"
#include "platform/recording_port.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

constexpr uint16_t kData = 0x378;
constexpr uint16_t kStatus = 0x379;

constexpr std::string_view kGlobal =
    "[config]\nInternalPower = true\nPort = 378\nKeyQueueSize = 16\n8042Addr = 1f\n"
    "TickFreq = 1000\nKeySimMethod = newest\n";
constexpr std::string_view kCircuits =
    "[snes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 10\n"
    "[nes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 12\n";

// Runs a given number of ticks on a recording port, then stops as the Stop command would.
class TickingHost : public ExecutionHost {
 public:
  TickingHost(RunBlock& runBlock, int32_t ticks) : runBlock_(runBlock), ticksLeft_(ticks) {}

  PortIo& Port() override { return port; }
  void SleepMs(int32_t) override {
    if (--ticksLeft_ <= 0) {
      runBlock_.running = 0;
    }
  }
  void TickStarts(int32_t) override { tickStarts.push_back(port.Log().size()); }
  void ShowBadThing(const std::string& message) override { ending = message; }
  void EndProcess(const std::string& message) override { ending = message; }

  RecordingPort port;
  std::vector<size_t> tickStarts;  // Where each tick's accesses begin in the log.
  std::string ending;

 private:
  RunBlock& runBlock_;
  int32_t ticksLeft_;
};

struct ExecutionPadsTest : ::testing::Test {
  ExecutionPadsTest() {
    dir.Write("home/zarvel.ini", kGlobal);
    dir.Write("home/circuits.ini", kCircuits);
  }

  // Runs one execution of the document to its end and returns its host.
  std::unique_ptr<TickingHost> Execute(std::string_view document, int32_t ticks) {
    RunBlock runBlock;
    runBlock.path = dir.Write("document.ini", document);
    runBlock.homeDir = dir.Slash() + "home/";
    runBlock.running = 1;
    runBlock.finished = 0;
    auto host = std::make_unique<TickingHost>(runBlock, ticks);
    ExecutionThread(runBlock, state, *host);
    EXPECT_EQ(runBlock.finished, 1);
    return host;
  }

  testing::TempDir dir;
  ProcessState state;
};

TEST_F(ExecutionPadsTest, EveryTickReadsEveryPadInDiscoveryOrder) {
  const auto host = Execute("[nes]\n[snes]\n", 2);
  EXPECT_EQ(host->ending, "");
  ASSERT_EQ(host->tickStarts.size(), 2u);
  const std::vector<PortAccess>& log = host->port.Log();
  const size_t snesRead = 2 + 3 * 12;
  const size_t nesRead = 2 + 3 * 8;
  // Configuration: per pad a power write and one read. Then each tick: the SNES pad, then the
  // NES pad.
  EXPECT_EQ(host->tickStarts[0], 1 + snesRead + 1 + nesRead);
  EXPECT_EQ(host->tickStarts[1] - host->tickStarts[0], snesRead + nesRead);
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
  EXPECT_EQ(host->port.Log().front(), PortAccess::Out(kData, 0xFC));
  EXPECT_EQ(state.PadCount, 1);  // The first execution's pad is gone.
}

TEST_F(ExecutionPadsTest, ThePortOfEachExecutionIsItsOwnConfigurationsPort) {
  Execute("[config]\nPort = 0x278\n[snes]\n", 1);
  EXPECT_EQ(state.port.base, 0x278);
  const auto host = Execute("[snes]\n", 1);
  EXPECT_EQ(host->port.Log().front().port, kData);
}

}  // namespace
}  // namespace zarvel
