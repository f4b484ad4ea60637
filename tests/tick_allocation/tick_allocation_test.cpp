// The tick must not allocate: it runs up to a thousand times a second for as long as an
// execution lasts, and everything it needs is set up by the configuration. This program
// replaces the global allocation functions with counting ones, so it is built on its own and
// not into the other tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/execution_host.h"
#include "platform/home_directory.h"
#include "platform/sim/sim_machine.h"
#include "support/temp_dir.h"
#include "tick_allocation/counting_allocator.h"

namespace zarvel {
namespace {

// Runs the execution's own tick loop on the simulated PC and counts the allocations made
// between the start of each tick and the sleep after it.
class CountingHost : public ExecutionHost {
 public:
  CountingHost(RunBlock& runBlock, PadScript script, int32_t ticks)
      : runBlock_(runBlock),
        machine_(runBlock.path, runBlock.homeDir, std::move(script)),
        ticksLeft_(ticks) {
    machine_.KeyboardHandler().SetListener([this](int32_t, uint8_t) { ++delivered; });
  }

  PortIo& Port() override { return machine_.Pc(); }
  void TickStarts(int32_t tick) override {
    machine_.Pc().SetTick(tick);
    testing::CountAllocations(true);
  }
  void SleepMs(int32_t) override {
    testing::CountAllocations(false);
    if (--ticksLeft_ == 0) {
      runBlock_.running = 0;
    }
  }
  void ShowBadThing(const std::string& message) override {
    testing::CountAllocations(false);
    failures.push_back(message);
  }
  void EndProcess(const std::string& message) override {
    testing::CountAllocations(false);
    failures.push_back(message);
  }

  int64_t delivered = 0;
  std::vector<std::string> failures;

 private:
  RunBlock& runBlock_;
  SimMachine machine_;
  int32_t ticksLeft_;
};

// Every button of both pads changes now and then, shift states, latches and repeats included.
constexpr std::string_view kDocument =
    "[config]\nTickFreq = 1000\nKeyQueueSize = 1024\nRepeatRate = 15\n"
    "[snes 1]\nNumShifts = 2\nShifts = l, toggle select\n"
    "b = b; lshift,b; printscreen\ny = repeat y; pulse esc\nselect = none\nstart = enter\n"
    "up = up\ndown = down\nleft = left\nright = right\na = a; lshift,a; 1\nx = repeat(18) x\n"
    "l = none\nr = pulse pause\n"
    "[nes 2]\nNumShifts = 1\nShifts = toggle select\n"
    "a = a; lshift,a\nb = repeat b\nselect = none\nstart = enter\nup = up\ndown = down\n"
    "left = left\nright = right\n";

constexpr std::string_view kSnesButtons[] = {"a",  "b",    "x",    "y",     "l",      "r",
                                             "up", "down", "left", "right", "select", "start"};
constexpr std::string_view kNesButtons[] = {"a",  "b",    "select", "start",
                                            "up", "down", "left",   "right"};

TEST(TickAllocation, TicksAllocateNothingWhilePadsTypeKeys) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "home/";
  ASSERT_TRUE(SeedHomeDirectory(home).created);

  // Each pad holds a changing pair of buttons, a new pair every seven ticks.
  constexpr int32_t kTicks = 3000;
  std::string script;
  for (int32_t tick = 1, step = 0; tick < kTicks; tick += 7, ++step) {
    const auto s = static_cast<size_t>(step);
    script += std::to_string(tick) + " 1 " + std::string(kSnesButtons[s % 12]) + " " +
              std::string(kSnesButtons[(s * 5 + 3) % 12]) + "\n";
    script += std::to_string(tick) + " 2 " + std::string(kNesButtons[(s * 3) % 8]) + "\n";
  }
  ParsedPadScript parsed = ParsePadScript(script, "script");
  ASSERT_TRUE(parsed.script) << parsed.error;

  RunBlock runBlock;
  runBlock.path = dir.Write("document.ini", kDocument);
  runBlock.homeDir = home;
  runBlock.running = 1;
  runBlock.finished = 0;
  ProcessState state;
  CountingHost host(runBlock, std::move(*parsed.script), kTicks);
  ExecutionThread(runBlock, state, host);

  EXPECT_EQ(host.failures, std::vector<std::string>{});
  EXPECT_EQ(state.PadCount, 2);
  EXPECT_GT(host.delivered, kTicks / 4);  // The pads did type.
  EXPECT_EQ(testing::AllocationsCounted(), 0);
}

}  // namespace
}  // namespace zarvel
