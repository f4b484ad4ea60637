#include <benchmark/benchmark.h>

#include <array>

#include "hardware/game_pads.h"
#include "hardware/pin_table.h"
#include "pads/control_pad.h"
#include "pads/genesis_read.h"
#include "pads/pad_groups.h"
#include "pads/pad_read.h"
#include "pads/parallel_port.h"
#include "pads/psx_read.h"
#include "platform/sim/sim_machine.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

constexpr int32_t kBase = 0x378;
constexpr int32_t kDataPins[] = {10, 11, 12, 13, 15, 10, 11, 12, 13};

// Nine pads on the shipped wiring, as a busy configuration has them.
PortWiring NinePads() {
  PortWiring wiring;
  wiring.base = kBase;
  for (int32_t position = 1; position <= kMaxPads; ++position) {
    const SimPadKind kind = position <= 5 ? SimPadKind::kSnes : SimPadKind::kNes;
    wiring.pads.push_back(
        {kind, position, PadCable{{3}, {4}, {5, 6, 7, 8, 9}, {kDataPins[position - 1]}, {}, {}}});
  }
  return wiring;
}

ControlPad SnesPad(int32_t data) {
  ControlPad pad;
  pad.buttonCount = 12;
  pad.clockPin = &PinTable[3];
  pad.latchPin = &PinTable[4];
  pad.dataPin = &PinTable[static_cast<size_t>(data)];
  return pad;
}

// The engine's side of one tick's pad read, with a port that answers at once.
void ReadSnesPadOnly(benchmark::State& state) {
  class NullPort : public PortIo {
   public:
    uint8_t In(uint16_t) override { return 0xFF; }
    void Out(uint16_t, uint8_t) override {}
    void DisableInterrupts() override {}
    void EnableInterrupts() override {}
  } io;
  ParallelPort port{kBase, {}};
  ControlPad pad = SnesPad(10);
  for (auto _ : state) {
    ReadPad(pad, port, io);
    benchmark::DoNotOptimize(pad.raw);
  }
}
BENCHMARK(ReadSnesPadOnly);

// Passes every access on to the simulated PC and counts it.
class CountingPort : public PortIo {
 public:
  explicit CountingPort(PortIo& inner) : inner_(inner) {}
  uint8_t In(uint16_t port) override {
    ++accesses;
    return inner_.In(port);
  }
  void Out(uint16_t port, uint8_t value) override {
    ++accesses;
    inner_.Out(port, value);
  }
  void DisableInterrupts() override { inner_.DisableInterrupts(); }
  void EnableInterrupts() override { inner_.EnableInterrupts(); }

  int64_t accesses = 0;

 private:
  PortIo& inner_;
};

// One tick's reads of all nine pads on the simulated port, whose speed bounds how fast the
// runner can tick: with `together`, in one pass, as they share latch and clock; else each alone.
void ReadNinePadsOnTheSimulatedPort(benchmark::State& state, bool together) {
  SimMachine machine(NinePads(), PadScript({{0, 1, PadInput{true, 0x0F}}}));
  CountingPort io(machine.Pc());
  ParallelPort port{kBase, {}};
  std::array<ControlPad, kMaxPads> pads{};
  for (size_t i = 0; i < pads.size(); ++i) {
    pads[i] = SnesPad(kDataPins[i]);
    pads[i].read = ReadPad;
  }
  PadGroups groups;
  GroupPads(pads, together, groups);
  for (auto _ : state) {
    ReadPads(groups, pads, port, io);
    benchmark::DoNotOptimize(pads.front().raw);
  }
  state.counters["port_accesses_per_read"] =
      benchmark::Counter(static_cast<double>(io.accesses), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(ReadNinePadsOnTheSimulatedPort, each, false);
BENCHMARK_CAPTURE(ReadNinePadsOnTheSimulatedPort, together, true);

// One tick's read of five digital PlayStation pads on the kernel documentation's lines
// (command 2, select 3, clock 4, data on the five status pins), without the protocol's waits:
// the kernel driver makes 123 port accesses for the same read.
void ReadFivePsxPadsOnTheSimulatedPort(benchmark::State& state) {
  PortWiring wiring;
  wiring.base = kBase;
  for (int32_t position = 1; position <= 5; ++position) {
    wiring.pads.push_back(
        {SimPadKind::kPsx, position,
         PadCable{{4}, {3}, {5, 6, 7, 8, 9}, {kDataPins[position - 1]}, {2}, {}}});
  }
  SimMachine machine(wiring, PadScript({{0, 1, PadInput{true, 0x0F}}}));
  CountingPort io(machine.Pc());
  ParallelPort port{kBase, {}};
  std::array<ControlPad, 5> pads{};
  for (size_t i = 0; i < pads.size(); ++i) {
    pads[i].read = ReadPsxPad;
    pads[i].buttonCount = kPsxButtonCount;
    pads[i].clockPin = &PinTable[4];
    pads[i].latchPin = &PinTable[3];
    pads[i].commandPin = &PinTable[2];
    pads[i].dataPin = &PinTable[static_cast<size_t>(kDataPins[i])];
  }
  PadGroups groups;
  GroupPads(pads, true, groups);
  for (auto _ : state) {
    ReadPads(groups, pads, port, io);
    benchmark::DoNotOptimize(pads.front().raw);
  }
  state.counters["port_accesses_per_read"] =
      benchmark::Counter(static_cast<double>(io.accesses), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ReadFivePsxPadsOnTheSimulatedPort);

// One tick's read of a six-button Genesis pad on the kernel documentation's lines (pins 2 to 7
// read with the data port turned to input, select on pin 14), its select waits included: the
// kernel driver makes 11 port accesses for the same read.
void ReadASixButtonGenesisPadOnTheSimulatedPort(benchmark::State& state) {
  PortWiring wiring;
  wiring.base = kBase;
  wiring.pads.push_back(
      {SimPadKind::kGenesis, 1, PadCable{{}, {14}, {1}, {}, {}, {{{2}, {3}, {4}, {5}, {6}, {7}}}}});
  SimMachine machine(wiring, PadScript({{0, 1, PadInput{true, 0x0F}}}));
  CountingPort io(machine.Pc());
  ParallelPort port{kBase, {}};
  std::array<ControlPad, 1> pads{};
  pads[0].read = ReadGenesisPad;
  pads[0].buttonCount = kGenesisButtonCount;
  pads[0].latchPin = &PinTable[14];
  for (size_t line = 0; line < kGenesisLineCount; ++line) {
    pads[0].switchPins[line] = &PinTable[2 + line];
  }
  PrepareGenesisPad(pads[0], port, io);
  PadGroups groups;
  GroupPads(pads, true, groups);
  int64_t tick = 0;
  io.accesses = 0;
  for (auto _ : state) {
    // Each read at a tick of its own, as the pad expects.
    machine.Pc().SetTick(++tick);
    ReadPads(groups, pads, port, io);
    benchmark::DoNotOptimize(pads.front().raw);
  }
  state.counters["port_accesses_per_read"] =
      benchmark::Counter(static_cast<double>(io.accesses), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ReadASixButtonGenesisPadOnTheSimulatedPort);

}  // namespace
}  // namespace zarvel
