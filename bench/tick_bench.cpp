// The execution's own work, measured on a port that costs nothing: a whole tick of nine SNES
// pads, the configuration of those pads from their files, the key queue and the scan-code
// decoder. A real parallel port takes about 1 µs per access, so the port accesses counted
// here are the hardware's share of a tick; the time measured is the engine's.
#include <benchmark/benchmark.h>

#include <string>

#include "config/settings_files.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "hardware/port_io.h"
#include "hardware/scan_code_decoder.h"
#include "inject/key_queue.h"
#include "platform/home_directory.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

// A port that answers at once and counts what it is asked. Its reads show every input line of
// the status register low (every button pressed) or high (every button released); the Busy
// line, bit 7, reads inverted, as the hardware has it.
class CountingNullPort : public PortIo {
 public:
  static constexpr uint8_t kAllLinesHigh = 0x7F;
  static constexpr uint8_t kAllLinesLow = 0x80;

  uint8_t In(uint16_t) override {
    ++accesses;
    return pressed ? kAllLinesLow : kAllLinesHigh;
  }
  void Out(uint16_t, uint8_t) override { ++accesses; }
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}

  bool pressed = false;
  int64_t accesses = 0;
};

// Nine SNES sections (three numbered 1, two each numbered 2 to 4), every button typing a key in
// each of two shift states, one of them repeating and one latching.
std::string NineSnesPads() {
  std::string document =
      "[config]\nTickFreq = 1000\nKeyQueueSize = 1024\nRepeatRate = 15\nKeySimMethod = newest\n";
  const char* sections[] = {"[snes]",  "[snes1]",  "[snes 1]", "[snes2]", "[snes 2]",
                            "[snes3]", "[snes 3]", "[snes4]",  "[snes 4]"};
  for (const char* section : sections) {
    document += std::string(section) +
                "\nNumShifts = 1\nShifts = toggle select\n"
                "b = b; lshift,b\ny = repeat y; lshift,y\nselect = none\nstart = enter; esc\n"
                "up = up; pageup\ndown = down; pagedown\nleft = left; home\nright = right; end\n"
                "a = a; lshift,a\nx = x; lshift,x\nl = l; lshift,l\nr = r; lshift,r\n";
  }
  return document;
}

// A home directory with the shipped files and a document of nine pads, configured as an
// execution configures them.
class NinePadExecution {
 public:
  NinePadExecution() {
    home_ = dir_.Slash() + "home/";
    SeedHomeDirectory(home_);
    document_ = dir_.Write("nine.ini", NineSnesPads());
  }

  void Configure(ProcessState& state, PortIo& port) const {
    ResetExecutionState(state);
    state.files.localName = document_;
    OpenSettingsFiles(state.files, state.trace, home_);
    ConfigureExecution(state, port);
    CloseSettingsFiles(state.files, state.trace);
  }

 private:
  testing::TempDir dir_;
  std::string home_;
  std::string document_;
};

// One tick of nine pads whose buttons all change at every tick: every pad read, every button
// processed, key sequences queued and one byte sent. What is left in the queue is dropped
// after each tick, as if it had been sent, so the queue never fills.
void TickNineSnesPads(benchmark::State& benchmarkState) {
  NinePadExecution execution;
  ProcessState state;
  CountingNullPort port;
  execution.Configure(state, port);
  int64_t accesses = 0;
  for (auto _ : benchmarkState) {
    port.pressed = !port.pressed;
    const int64_t before = port.accesses;
    Tick(state, port);
    accesses += port.accesses - before;
    state.keyQueue.Clear();
  }
  // Pad reads alone: 2 + 3 x 12 accesses per pad; the rest is the byte sent.
  benchmarkState.counters["pad_accesses_per_tick"] = state.PadCount * (2 + 3 * 12);
  benchmarkState.counters["port_accesses_per_tick"] =
      benchmark::Counter(static_cast<double>(accesses), benchmark::Counter::kAvgIterations);
}
BENCHMARK(TickNineSnesPads);

// The same pads with nothing pressed: the quiet tick most ticks are.
void TickNineIdleSnesPads(benchmark::State& benchmarkState) {
  NinePadExecution execution;
  ProcessState state;
  CountingNullPort port;
  execution.Configure(state, port);
  for (auto _ : benchmarkState) {
    Tick(state, port);
  }
}
BENCHMARK(TickNineIdleSnesPads);

// The whole configuration of an execution with nine pads: the three settings files opened and
// read, keys.cfg loaded, every pad initialised and its key tables built.
void ConfigureNineSnesPads(benchmark::State& benchmarkState) {
  NinePadExecution execution;
  CountingNullPort port;
  for (auto _ : benchmarkState) {
    ProcessState state;
    execution.Configure(state, port);
    benchmark::DoNotOptimize(state.PadCount);
  }
  benchmarkState.SetLabel("keys.cfg of the shipped home");
}
BENCHMARK(ConfigureNineSnesPads)->Unit(benchmark::kMicrosecond);

// A byte in and a byte out of the key queue.
void KeyQueuePushPop(benchmark::State& benchmarkState) {
  KeyQueue queue;
  TraceState trace;
  queue.Init(1024, AllocationGate{}, trace);
  uint8_t byte = 1;
  for (auto _ : benchmarkState) {
    queue.Push(byte);
    benchmark::DoNotOptimize(queue.Pop());
    byte = static_cast<uint8_t>(byte % 0xFE + 1);
  }
}
BENCHMARK(KeyQueuePushPop);

// Decoding a stream of make, break and prefixed codes, one byte at a time.
void DecodeScanCodes(benchmark::State& benchmarkState) {
  const uint8_t stream[] = {0x1E, 0x9E, 0xE0, 0x48, 0xE0, 0xC8, 0x2A, 0x30, 0xB0, 0xAA};
  ScanCodeDecoder decoder;
  for (auto _ : benchmarkState) {
    for (const uint8_t byte : stream) {
      benchmark::DoNotOptimize(decoder.Decode(byte));
    }
  }
  benchmarkState.SetItemsProcessed(benchmarkState.iterations() *
                                   static_cast<int64_t>(sizeof stream));
}
BENCHMARK(DecodeScanCodes);

}  // namespace
}  // namespace zarvel
