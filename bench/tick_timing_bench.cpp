// How late the tick loop wakes up. The tick period is a sleep after every tick, so every
// microsecond a sleep overshoots lengthens the period: at TickFreq 1000 a 90 µs overshoot turns
// 1000 ticks a second into about 900. The execution thread asks for precise wake-ups; this
// measures the real loop at TickFreq 1000 beside a plain 1 ms sleep with the default timer
// slack, in the same run.
#include <benchmark/benchmark.h>
#include <sys/prctl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/home_directory.h"
#include "platform/thread_services.h"
#include "support/idle_port.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSamples = 1000;

// The overshoots of the samples, in microseconds: median and 99th percentile.
void ReportOvershoot(benchmark::State& state, std::vector<double> overshoots) {
  std::sort(overshoots.begin(), overshoots.end());
  state.counters["median_overshoot_us"] = overshoots[overshoots.size() / 2];
  state.counters["p99_overshoot_us"] = overshoots[overshoots.size() * 99 / 100];
}

double MicrosecondsOver(Clock::duration slept, int32_t milliseconds) {
  return std::chrono::duration<double, std::micro>(slept - std::chrono::milliseconds(milliseconds))
      .count();
}

// Sleeps for real, as the runner does without --fast, and times every sleep.
class TimingHost : public ExecutionHost {
 public:
  explicit TimingHost(RunBlock& runBlock) : runBlock_(runBlock) {}

  PortIo& Port() override { return port_; }
  void SleepMs(int32_t milliseconds) override {
    const Clock::time_point start = Clock::now();
    SleepMilliseconds(milliseconds);
    overshoots.push_back(MicrosecondsOver(Clock::now() - start, milliseconds));
    if (static_cast<int>(overshoots.size()) == kSamples) {
      runBlock_.running = 0;
    }
  }
  void ShowBadThing(const std::string& message) override { error = message; }
  void EndProcess(const std::string& message) override { error = message; }

  std::vector<double> overshoots;
  std::string error;

 private:
  RunBlock& runBlock_;
  testing::IdlePort port_;
};

// The execution's own loop at TickFreq 1000, on a thread started as the hosts start it.
void TickLoopSleepOvershoot(benchmark::State& state) {
  testing::TempDir dir;
  RunBlock runBlock;
  runBlock.homeDir = dir.Slash() + "home/";
  SeedHomeDirectory(runBlock.homeDir);
  std::string document = "[config]\nTickFreq = 1000\n[snes]\nNumShifts = 0\n";
  for (const char* button :
       {"b", "y", "select", "start", "up", "down", "left", "right", "a", "x", "l", "r"}) {
    document += std::string(button) + " = none\n";
  }
  runBlock.path = dir.Write("loop.ini", document);
  for (auto _ : state) {
    ProcessState process;
    TimingHost host(runBlock);
    runBlock.running = 1;
    runBlock.finished = 0;
    std::optional<std::thread> thread =
        StartThread([&] { ExecutionThread(runBlock, process, host); });
    thread->join();
    if (!host.error.empty()) {
      state.SkipWithError(host.error.c_str());
      return;
    }
    ReportOvershoot(state, host.overshoots);
  }
}
BENCHMARK(TickLoopSleepOvershoot)->Iterations(1)->Unit(benchmark::kMillisecond);

// A plain 1 ms sleep on a thread with the default timer slack, for comparison.
void PlainSleepOvershoot(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<double> overshoots;
    std::thread sleeper([&] {
      prctl(PR_SET_TIMERSLACK, 0, 0, 0, 0);  // 0 puts the thread's default slack back.
      for (int i = 0; i < kSamples; ++i) {
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        overshoots.push_back(MicrosecondsOver(Clock::now() - start, 1));
      }
    });
    sleeper.join();
    ReportOvershoot(state, overshoots);
  }
}
BENCHMARK(PlainSleepOvershoot)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvel
