// The tick must not allocate: it runs up to a thousand times a second for as long as an
// execution lasts, and everything it needs is set up by the configuration. This program
// replaces the global allocation functions with counting ones, so it is built on its own and
// not into the other tests.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner_host.h"
#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/execution_hardware.h"
#include "platform/home_directory.h"
#include "platform/sim/port_wiring.h"
#include "platform/sim/sim_machine.h"
#include "support/temp_dir.h"
#include "tick_allocation/counting_allocator.h"
#include "tick_allocation/counting_host.h"

namespace zarvel {
namespace {

// The simulated PC, its pads driven by a script, counting the bytes it delivers.
class SimCountingHost : public testing::CountingHost {
 public:
  SimCountingHost(RunBlock& runBlock, PadScript script, int32_t ticks)
      : CountingHost(runBlock, ticks),
        machine_(ReadPortWiring(runBlock.path, runBlock.homeDir), std::move(script)) {
    machine_.KeyboardHandler().SetListener([this](int32_t, uint8_t) { ++delivered; });
  }

  PortIo& Port() override { return machine_.Pc(); }

  int64_t delivered = 0;

 protected:
  SimPc& TickingPc() override { return machine_.Pc(); }

 private:
  SimMachine machine_;
};

// The rich mapping of every SNES pad: shift states, a latching shift, pulses and repeats, and
// chords, holds, a double press and a tap.
constexpr std::string_view kSnesMapping =
    "NumShifts = 2\nShifts = l, toggle select\n"
    "up+down = space\nleft+right+a = enter\na.hold = lctrl\nx.hold = repeat(18) f2\n"
    "b.double = tab\nl.tap = f1\n"
    "b = b; lshift,b; printscreen\ny = repeat y; pulse esc\nselect = none\nstart = enter\n"
    "up = up\ndown = down\nleft = left\nright = right\na = a; lshift,a; 1\nx = repeat(18) x\n"
    "l = none\nr = pulse pause\n";
constexpr std::string_view kNesMapping =
    "NumShifts = 1\nShifts = toggle select\n"
    "a = a; lshift,a\nb = repeat b\nselect = none\nstart = enter\nup = up\ndown = down\n"
    "left = left\nright = right\n";

// Nine pads on nine data lines of their own: the five status lines for the SNES pads and the
// four control lines for the NES pads, so every pad really reads what its script holds.
std::string NinePadCircuits() {
  std::string circuits;
  const char* snesData[] = {"10", "11", "12", "13", "15"};
  const char* nesData[] = {"1", "14", "16", "17"};
  for (int n = 1; n <= 5; ++n) {
    circuits += "[snes " + std::to_string(n) +
                "]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = " + snesData[n - 1] + "\n";
  }
  for (int n = 1; n <= 4; ++n) {
    circuits += "[nes " + std::to_string(n) +
                "]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = " + nesData[n - 1] + "\n";
  }
  return circuits;
}

std::string NinePadDocument() {
  std::string document =
      "[config]\nTickFreq = 1000\nKeyQueueSize = 1024\nRepeatRate = 15\nInternalPower = true\n";
  for (int n = 1; n <= 5; ++n) {
    document += "[snes " + std::to_string(n) + "]\n" + std::string(kSnesMapping);
  }
  for (int n = 1; n <= 4; ++n) {
    document += "[nes " + std::to_string(n) + "]\n" + std::string(kNesMapping);
  }
  return document;
}

constexpr std::string_view kSnesButtons[] = {"a",  "b",    "x",    "y",     "l",      "r",
                                             "up", "down", "left", "right", "select", "start"};
constexpr std::string_view kNesButtons[] = {"a",  "b",    "select", "start",
                                            "up", "down", "left",   "right"};

// Each pad holds a changing pair of buttons, a new pair every hundred ticks, the pads taking
// turns so that the queue, one byte a tick, keeps up.
std::string BusyPadsScript(int32_t ticks) {
  constexpr int32_t kHold = 100;
  std::string script;
  for (int32_t start = 1, step = 0; start < ticks; start += kHold, ++step) {
    const auto s = static_cast<size_t>(step);
    for (int32_t pad = 1; pad <= 9; ++pad) {
      const auto p = static_cast<size_t>(pad);
      const std::string tick = std::to_string(start + (pad - 1) * 10);
      const std::string held = pad <= 5 ? std::string(kSnesButtons[(s + p) % 12]) + " " +
                                              std::string(kSnesButtons[(s * 5 + p + 3) % 12])
                                        : std::string(kNesButtons[(s * 3 + p) % 8]);
      script += tick + " " + std::to_string(pad) + " " + held + "\n";
    }
  }
  return script;
}

TEST(TickAllocation, TenThousandTicksOfNineBusyPadsAllocateNothing) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "home/";
  ASSERT_TRUE(SeedHomeDirectory(home).created);
  dir.Write("home/circuits.ini", NinePadCircuits());

  constexpr int32_t kTicks = 10000;
  ParsedPadScript parsed = ParsePadScript(BusyPadsScript(kTicks), "script");
  ASSERT_TRUE(parsed.script) << parsed.error;

  RunBlock runBlock;
  runBlock.path = dir.Write("document.ini", NinePadDocument());
  runBlock.homeDir = home;
  runBlock.running = 1;
  runBlock.finished = 0;
  ProcessState state;
  SimCountingHost host(runBlock, std::move(*parsed.script), kTicks);
  ExecutionThread(runBlock, state, host);

  EXPECT_EQ(host.failures, std::vector<std::string>{});
  EXPECT_EQ(state.PadCount, 9);
  EXPECT_GT(host.delivered, kTicks / 4);  // The pads did type.
  EXPECT_EQ(host.snapshot.ReadPads().padCount, 9);
  EXPECT_GE(host.snapshot.BytesPublished(), static_cast<uint64_t>(host.delivered));
  EXPECT_EQ(testing::AllocationsCounted(), 0);
}

// The runner's host, counting the allocations of every tick as CountingHost does.
class CountingRunnerHost : public RunnerHost {
 public:
  using RunnerHost::RunnerHost;
  void TickStarts(int64_t tick) override {
    RunnerHost::TickStarts(tick);
    testing::CountAllocations(true);
  }
  void SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                      std::chrono::nanoseconds period) override {
    testing::CountAllocations(false);
    RunnerHost::SleepUntilTick(nextTick, period);
  }
};

// The runner's ticks only report their lines, every byte and, with --monitor, every change of a
// pad; its output thread writes them (and may allocate doing so, on its own thread).
TEST(TickAllocation, TheRunnersTicksReportTheirLinesWithoutAllocating) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "home/";
  ASSERT_TRUE(SeedHomeDirectory(home).created);
  dir.Write("home/circuits.ini", NinePadCircuits());
  constexpr int32_t kTicks = 2000;
  ParsedPadScript parsed = ParsePadScript(BusyPadsScript(kTicks), "script");
  ASSERT_TRUE(parsed.script) << parsed.error;

  RunBlock runBlock;
  runBlock.path = dir.Write("document.ini", NinePadDocument());
  runBlock.homeDir = home;
  runBlock.running = 1;
  runBlock.finished = 0;
  ProcessState state;
  std::ostringstream out;
  std::ostringstream err;
  const int64_t before = testing::AllocationsCounted();
  {
    auto hardware = std::make_unique<ExecutionHardware>(PortWiring{}, std::move(*parsed.script));
    hardware->PlugPadsWhenExpected(home);
    CountingRunnerHost host(runBlock, out, err, kTicks, true, false, std::move(hardware));
    host.MonitorPads(/*timed=*/true);
    ExecutionThread(runBlock, state, host);
    EXPECT_EQ(host.Ending(), RunnerEnding::kNormal) << err.str();
  }
  EXPECT_NE(out.str().find(" pad 9 "), std::string::npos);
  EXPECT_NE(out.str().find(" pressed\n"), std::string::npos);
  EXPECT_EQ(testing::AllocationsCounted() - before, 0);
}

}  // namespace
}  // namespace zarvel
