// How many ticks pass between a press and its key on each keyboard back end. A keyboard
// controller holds one byte at a time, so the simulated PC's controller (and the PC's own, with
// --keyboard direct, which sends the same way) takes one byte a tick; the virtual keyboard takes
// every byte a tick queues. Three buttons pressed in one tick make three keys: the counters say
// how many of them reached the system in the tick of the press, and how many ticks the last one
// took.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/hardware_factory.h"
#include "platform/home_directory.h"
#include "platform/sim/pad_script.h"
#include "session/session_host.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

// The tick of the press, as the script gives it.
constexpr int32_t kPressTick = 1;
constexpr int32_t kTicks = 8;

// Ticks in virtual time and keeps the tick of every make code the system receives.
class LatencyHost : public SessionHost {
 public:
  LatencyHost(RunBlock& runBlock, std::unique_ptr<ExecutionHardware> hardware)
      : SessionHost(std::move(hardware)), runBlock_(runBlock) {
    Hardware().SetDeliveryListener([this](int32_t tick, uint8_t byte) {
      if (byte != 0xE0 && (byte & 0x80) == 0) {
        makeTicks.push_back(tick);
      }
    });
  }
  void SleepMs(int32_t) override {}
  void SleepUntilTick(std::chrono::steady_clock::time_point, std::chrono::nanoseconds) override {
    if (++ticks_ == kTicks) {
      runBlock_.running = 0;
    }
  }
  void ShowBadThing(const BadThing& stop) override { error = stop.what(); }
  void EndProcess(const ProcessEndingStop& stop) override { error = stop.what(); }

  std::vector<int32_t> makeTicks;
  std::string error;

 private:
  RunBlock& runBlock_;
  int32_t ticks_ = 0;
};

// Argument: 0 for the simulated PC's keyboard controller, 1 for the virtual keyboard.
void PressToKeyTicks(benchmark::State& state) {
  testing::TempDir dir;
  RunBlock runBlock;
  runBlock.homeDir = dir.Slash() + "home/";
  SeedHomeDirectory(runBlock.homeDir);
  runBlock.path =
      dir.Write("three.ini",
                "[snes 1]\nNumShifts = 0\na = a\nb = b\nx = x\ny = none\nselect = none\n"
                "start = none\nup = none\ndown = none\nleft = none\nright = none\n"
                "l = none\nr = none\n");
  testing::FakeSystemCalls calls;
  testing::FakeEvdevCalls evdev;
  calls.MakeFile("/dev/uinput");
  HardwareChoice choice;
  choice.keyboard = state.range(0) == 1 ? KeyboardBackEnd::kUinput : KeyboardBackEnd::kSim;
  HardwareFactory factory(choice, calls, evdev);
  for (auto _ : state) {
    ParsedPadScript script = ParsePadScript("1 1 a b x\n", "script");
    HardwareFactory::Opened opened =
        factory.Open(runBlock.path, runBlock.homeDir, std::move(*script.script));
    if (!opened.hardware) {
      state.SkipWithError(opened.error.c_str());
      return;
    }
    ProcessState process;
    LatencyHost host(runBlock, std::move(opened.hardware));
    runBlock.running = 1;
    runBlock.finished = 0;
    ExecutionThread(runBlock, process, host);
    if (!host.error.empty() || host.makeTicks.size() != 3) {
      state.SkipWithError(host.error.empty() ? "not three keys" : host.error.c_str());
      return;
    }
    int keysInPressTick = 0;
    for (const int32_t tick : host.makeTicks) {
      keysInPressTick += tick == kPressTick ? 1 : 0;
    }
    state.counters["keys_in_press_tick"] = keysInPressTick;
    state.counters["ticks_to_last_key"] = host.makeTicks.back() - kPressTick;
  }
}
BENCHMARK(PressToKeyTicks)->ArgName("virtual_keyboard")->Arg(0)->Arg(1);

}  // namespace
}  // namespace zarvel
