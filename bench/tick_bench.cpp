// The execution's own work, measured on a port that costs nothing: a whole tick of nine SNES
// pads, the configuration of those pads from their files, the key queue and the scan-code
// decoder. A real parallel port takes about 1 µs per access, so the port accesses counted
// here are the hardware's share of a tick; the time measured is the engine's.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "config/settings_files.h"
#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "hardware/port_io.h"
#include "hardware/scan_code_decoder.h"
#include "inject/key_queue.h"
#include "platform/home_directory.h"
#include "support/quiet_buttons.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

// A port that answers at once and counts what it is asked. Its reads show every input line of
// the status and control registers low (a button pressed) or high (every button released);
// the Busy line (status bit 7) and control pins 1, 14 and 17 (bits 0, 1 and 3) read inverted, as
// the hardware has them. The shipped zarvel.ini puts the port at 378.
class CountingNullPort : public PortIo {
 public:
  static constexpr uint16_t kStatusPort = 0x379;
  static constexpr uint16_t kControlPort = 0x37A;
  static constexpr uint8_t kStatusLinesHigh = 0x7F;
  static constexpr uint8_t kStatusLinesLow = 0x80;
  static constexpr uint8_t kControlLinesHigh = 0x04;
  static constexpr uint8_t kControlLinesLow = 0x0B;

  // While `pressed`, every other read shows the lines low: a pad's even buttons are pressed,
  // up and left among them but never down or right, so the pad passes the connected test.
  uint8_t In(uint16_t port) override {
    ++accesses;
    const bool low = pressed && reads++ % 2 == 0;
    if (port == kControlPort) {
      return low ? kControlLinesLow : kControlLinesHigh;
    }
    return low ? kStatusLinesLow : kStatusLinesHigh;
  }
  void Out(uint16_t, uint8_t) override { ++accesses; }
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}

  bool pressed = false;
  int64_t accesses = 0;
  int64_t reads = 0;
};

// The host of the measured ticks, as every execution has one: the counting port, and no window
// or output to tell.
class BenchHost : public ExecutionHost {
 public:
  explicit BenchHost(PortIo& port) : port_(port) {}
  PortIo& Port() override { return port_; }
  void SleepMs(int32_t) override {}
  void ShowBadThing(const BadThing&) override {}
  void EndProcess(const ProcessEndingStop&) override {}

 private:
  PortIo& port_;
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

// The same nine pads, each with four chords, four holds and two double presses besides; every
// chord has a button that the busy tick presses at every other tick.
std::string NineSnesPadsWithGestures() {
  std::string document = NineSnesPads();
  const std::string gestures =
      "up+left = space\ndown+right = tab\na+l = enter; esc\nb+up = backspace\n"
      "a.hold = lctrl\nx.hold = lalt\nb.hold = lshift\nstart.hold = repeat f1\n"
      "l.double = f2\nr.double = f3\n";
  // Each section's gesture items go right under its header: they belong to it alone.
  for (size_t at = document.find("\nNumShifts"); at != std::string::npos;
       at = document.find("\nNumShifts", at + gestures.size() + 1)) {
    document.insert(at + 1, gestures);
  }
  return document;
}

// A home directory with the shipped files and a document of pads, configured as an execution
// configures them. `circuits`, when given, takes the place of the shipped circuit file.
class PadExecution {
 public:
  explicit PadExecution(const std::string& document, std::string_view circuits = {}) {
    home_ = dir_.Slash() + "home/";
    SeedHomeDirectory(home_);
    if (!circuits.empty()) {
      dir_.Write("home/circuits.ini", circuits);
    }
    document_ = dir_.Write("pads.ini", document);
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

// The port accesses of one tick's pad reads: a tick in which no button changes, so nothing is
// queued and nothing sent, and every access counted is a pad read's.
int64_t PadAccessesPerTick(ProcessState& state, CountingNullPort& port) {
  BenchHost host(port);
  state.keyQueue.Clear();
  Tick(state, host);
  const int64_t before = port.accesses;
  Tick(state, host);
  return port.accesses - before;
}

// One tick of nine pads whose even buttons all change at every tick: every pad read, every
// button processed, key sequences queued and one byte sent. What is left in the queue is dropped
// after each tick, as if it had been sent, so the queue never fills.
void BusyTicks(benchmark::State& benchmarkState, const std::string& document) {
  const PadExecution execution(document);
  ProcessState state;
  CountingNullPort port;
  BenchHost host(port);
  execution.Configure(state, port);
  const int64_t padAccesses = PadAccessesPerTick(state, port);
  int64_t accesses = 0;
  for (auto _ : benchmarkState) {
    port.pressed = !port.pressed;
    const int64_t before = port.accesses;
    Tick(state, host);
    accesses += port.accesses - before;
    state.keyQueue.Clear();
  }
  // The pads' reads alone; the rest is the byte sent.
  benchmarkState.counters["pad_accesses_per_tick"] = static_cast<double>(padAccesses);
  benchmarkState.counters["port_accesses_per_tick"] =
      benchmark::Counter(static_cast<double>(accesses), benchmark::Counter::kAvgIterations);
}

void TickNineSnesPads(benchmark::State& benchmarkState) {
  BusyTicks(benchmarkState, NineSnesPads());
}
BENCHMARK(TickNineSnesPads);

// The busy tick again, every pad with its chords, holds and double presses: what deciding them
// adds to a tick.
void TickNineSnesPadsWithGestures(benchmark::State& benchmarkState) {
  BusyTicks(benchmarkState, NineSnesPadsWithGestures());
}
BENCHMARK(TickNineSnesPadsWithGestures);

// The same pads with nothing pressed: the quiet tick most ticks are.
void TickNineIdleSnesPads(benchmark::State& benchmarkState) {
  const PadExecution execution(NineSnesPads());
  ProcessState state;
  CountingNullPort port;
  BenchHost host(port);
  execution.Configure(state, port);
  for (auto _ : benchmarkState) {
    Tick(state, host);
  }
}
BENCHMARK(TickNineIdleSnesPads);

// The whole configuration of an execution with nine pads: the three settings files opened and
// read, keys.cfg loaded, every pad initialised and its key tables built.
void ConfigureNineSnesPads(benchmark::State& benchmarkState) {
  const PadExecution execution(NineSnesPads());
  CountingNullPort port;
  for (auto _ : benchmarkState) {
    ProcessState state;
    execution.Configure(state, port);
    benchmark::DoNotOptimize(state.PadCount);
  }
  benchmarkState.SetLabel("keys.cfg of the shipped home");
}
BENCHMARK(ConfigureNineSnesPads)->Unit(benchmark::kMicrosecond);

// Quiet ticks of the execution's pads, with the port accesses of one of them as a counter.
void QuietTicks(benchmark::State& benchmarkState, const PadExecution& execution) {
  ProcessState state;
  CountingNullPort port;
  BenchHost host(port);
  execution.Configure(state, port);
  benchmarkState.counters["pad_accesses_per_tick"] =
      static_cast<double>(PadAccessesPerTick(state, port));
  for (auto _ : benchmarkState) {
    Tick(state, host);
  }
}

// The five SNES pads of the shipped circuit file, all on latch pin 4 and clock pin 3 with their
// data on the status lines: one quiet tick, whose port accesses are all the pads' reads.
void TickFiveShippedSnesPads(benchmark::State& benchmarkState) {
  QuietTicks(benchmarkState, PadExecution(testing::WithQuietButtons(
                                 "[snes 1]\n[snes 2]\n[snes 3]\n[snes 4]\n[snes 5]\n")));
}
BENCHMARK(TickFiveShippedSnesPads);

// Nine pads on one latch and clock: the five SNES pads of the shipped circuit file on the status
// lines, and four NES pads with their data on the control lines (pins 1, 14, 16 and 17).
constexpr std::string_view kControlLineNesPads =
    "[nes 1]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 1\n"
    "[nes 2]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 14\n"
    "[nes 3]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 16\n"
    "[nes 4]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 17\n";

void TickNinePadsFourOnControlLines(benchmark::State& benchmarkState) {
  std::string circuits;
  for (int32_t number = 1; number <= 5; ++number) {
    static constexpr int32_t kStatusPins[] = {10, 11, 12, 13, 15};
    circuits += "[snes " + std::to_string(number) +
                "]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = " +
                std::to_string(kStatusPins[number - 1]) + "\n";
  }
  circuits += kControlLineNesPads;
  QuietTicks(benchmarkState, PadExecution(testing::WithQuietButtons(
                                              "[snes 1]\n[snes 2]\n[snes 3]\n[snes 4]\n[snes 5]\n"
                                              "[nes 1]\n[nes 2]\n[nes 3]\n[nes 4]\n"),
                                          circuits));
}
BENCHMARK(TickNinePadsFourOnControlLines);

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
