// Whether the tick rate is the one asked for. Ticks start on a fixed schedule of the monotonic
// clock, so neither the tick's own work nor the sleep's overshoot may lengthen the period. This
// runs the execution's own loop on the simulated PC for five seconds at TickFreq 1000 and 100,
// with the ports free and with every port access charged 1 µs (a real parallel port's bus
// cycle), and reports the ticks achieved a second beside TickFreq, with how late each tick
// woke (median, 99th percentile), beside a plain 1 ms sleep with the default timer slack.
// The same loop runs again with every processor kept busy by spinning threads, once as an
// ordinary thread and once with the real-time priority an execution asks for.
#include <benchmark/benchmark.h>
#include <sys/prctl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/home_directory.h"
#include "platform/linux/realtime_scheduling.h"
#include "platform/linux/system_calls.h"
#include "platform/thread_services.h"
#include "session/session_host.h"
#include "support/simulated_hardware.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kRunTime = std::chrono::seconds(5);

// The lateness of the samples, in microseconds: median and 99th percentile.
void ReportLateness(benchmark::State& state, std::vector<double> lateness) {
  if (lateness.empty()) {
    return;
  }
  std::sort(lateness.begin(), lateness.end());
  state.counters["lateness_p50_us"] = lateness[lateness.size() / 2];
  state.counters["lateness_p99_us"] = lateness[lateness.size() * 99 / 100];
  state.counters["lateness_max_us"] = lateness.back();
}

double Microseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

// A port that takes `cost` for every access before it passes the access on, as a real port's
// bus cycle does. The wait spins, as the processor does on a slow bus.
class ChargingPort : public PortIo {
 public:
  ChargingPort(PortIo& inner, Clock::duration cost) : inner_(inner), cost_(cost) {}

  uint8_t In(uint16_t port) override {
    Charge();
    return inner_.In(port);
  }
  void Out(uint16_t port, uint8_t value) override {
    Charge();
    inner_.Out(port, value);
  }
  void DisableInterrupts() override { inner_.DisableInterrupts(); }
  void EnableInterrupts() override { inner_.EnableInterrupts(); }

 private:
  void Charge() const {
    if (cost_.count() == 0) {
      return;
    }
    const Clock::time_point until = Clock::now() + cost_;
    while (Clock::now() < until) {
    }
  }

  PortIo& inner_;
  Clock::duration cost_;
};

// Sleeps for real until each tick's start, as the runner does without --fast, and times it.
class ScheduleHost : public SessionHost {
 public:
  ScheduleHost(RunBlock& runBlock, const std::string& homeDir, Clock::duration accessCost)
      : SessionHost(testing::SimulatedHardware(homeDir)),
        runBlock_(runBlock),
        port_(SessionHost::Port(), accessCost) {
    lateness.reserve(1000 * 10);
  }

  PortIo& Port() override { return port_; }
  void SleepMs(int32_t milliseconds) override { SleepMilliseconds(milliseconds); }
  void TickStarts(int64_t tick) override {
    SessionHost::TickStarts(tick);
    const Clock::time_point now = Clock::now();
    if (tick == 1) {
      firstTick = now;
    }
    lastTick = now;
    ticks = tick;
  }
  void SleepUntilTick(Clock::time_point nextTick, std::chrono::nanoseconds /*period*/) override {
    if (Clock::now() - firstTick >= kRunTime) {
      runBlock_.running = 0;
      return;
    }
    SleepUntil(nextTick);
    lateness.push_back(Microseconds(Clock::now() - nextTick));
  }
  void ShowBadThing(const BadThing& stop) override { error = stop.what(); }
  void EndProcess(const ProcessEndingStop& stop) override { error = stop.what(); }

  Clock::time_point firstTick;
  Clock::time_point lastTick;
  int64_t ticks = 0;
  std::vector<double> lateness;
  std::string error;

 private:
  RunBlock& runBlock_;
  ChargingPort port_;
};

// A configuration of five SNES pads, every button typing nothing, at `tickFreq`.
std::string RateDocument(int32_t tickFreq) {
  std::string document = "[config]\nTickFreq = " + std::to_string(tickFreq) + "\n";
  for (int pad = 1; pad <= 5; ++pad) {
    document += "[snes " + std::to_string(pad) + "]\n";
  }
  document += "NumShifts = 0\n";
  for (const char* button :
       {"b", "y", "select", "start", "up", "down", "left", "right", "a", "x", "l", "r"}) {
    document += std::string(button) + " = none\n";
  }
  return document;
}

// Runs the execution's own loop for kRunTime on a thread started as the hosts start it, first
// taking real-time priority when `realtime` says so, and reports the rate and the lateness.
void RunTimedExecution(benchmark::State& state, int32_t tickFreq, Clock::duration accessCost,
                       bool realtime) {
  testing::TempDir dir;
  RunBlock runBlock;
  runBlock.homeDir = dir.Slash() + "home/";
  SeedHomeDirectory(runBlock.homeDir);
  runBlock.path = dir.Write("rate.ini", RateDocument(tickFreq));
  LinuxSystemCalls calls;
  for (auto _ : state) {
    ProcessState process;
    ScheduleHost host(runBlock, runBlock.homeDir, accessCost);
    runBlock.running = 1;
    runBlock.finished = 0;
    RealtimeScheduling taken;
    std::optional<std::thread> thread = StartThread([&] {
      if (realtime) {
        taken = TakeRealtimeScheduling(calls);
      }
      ExecutionThread(runBlock, process, host);
      LeaveRealtimeScheduling(calls, taken);
    });
    thread->join();
    if (!host.error.empty()) {
      state.SkipWithError(host.error.c_str());
      return;
    }
    if (realtime && !taken.Realtime()) {
      state.SkipWithError(taken.refusal.c_str());
      return;
    }
    const double seconds = std::chrono::duration<double>(host.lastTick - host.firstTick).count();
    const double perSecond = (host.ticks - 1) / seconds;
    state.counters["ticks_per_second"] = perSecond;
    state.counters["percent_of_tickfreq"] = 100.0 * perSecond / tickFreq;
    ReportLateness(state, host.lateness);
  }
}

// The execution's own loop with five SNES pads on an otherwise quiet machine.
// Arguments: TickFreq, and the cost of one port access in nanoseconds.
void TickRateKept(benchmark::State& state) {
  RunTimedExecution(state, static_cast<int32_t>(state.range(0)),
                    std::chrono::nanoseconds(state.range(1)), false);
}
BENCHMARK(TickRateKept)
    ->ArgNames({"TickFreq", "access_ns"})
    ->Args({1000, 0})
    ->Args({1000, 1000})
    ->Args({100, 0})
    ->Args({100, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Threads that keep every processor busy while they live, as ordinary threads of the lowest
// importance (a build beside the runner, say).
class ProcessorHogs {
 public:
  ProcessorHogs() {
    const unsigned count = std::max(1U, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < count; ++i) {
      threads_.emplace_back([this] {
        uint64_t work = 0;
        while (!stop_.load(std::memory_order_relaxed)) {
          benchmark::DoNotOptimize(++work);
        }
      });
    }
  }
  ~ProcessorHogs() {
    stop_ = true;
    for (std::thread& thread : threads_) {
      thread.join();
    }
  }
  ProcessorHogs(const ProcessorHogs&) = delete;
  ProcessorHogs& operator=(const ProcessorHogs&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

// The same loop at TickFreq 1000 while a spinning thread keeps each processor busy. Argument:
// 1 when the execution thread takes real-time priority, as the programs ask for it, 0 when it
// runs as an ordinary thread (--no-realtime).
void TickRateUnderLoad(benchmark::State& state) {
  const ProcessorHogs hogs;
  RunTimedExecution(state, 1000, Clock::duration::zero(), state.range(0) != 0);
}
BENCHMARK(TickRateUnderLoad)
    ->ArgName("realtime")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A plain 1 ms sleep on a thread with the default timer slack, for comparison: how late it
// wakes beyond the millisecond asked for.
void PlainSleepLateness(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<double> lateness;
    std::thread sleeper([&] {
      prctl(PR_SET_TIMERSLACK, 0, 0, 0, 0);  // 0 puts the thread's default slack back.
      for (int i = 0; i < 1000; ++i) {
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        lateness.push_back(Microseconds(Clock::now() - start - std::chrono::milliseconds(1)));
      }
    });
    sleeper.join();
    ReportLateness(state, lateness);
  }
}
BENCHMARK(PlainSleepLateness)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarvel
