#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "config/config_section.h"
#include "engine/process_state.h"
#include "inject/key_queue.h"
#include "mapping/button_configuration.h"
#include "mapping/button_processing.h"
#include "mapping/key_definitions.h"
#include "pads/pad_discovery.h"
#include "pads/pad_kind.h"

namespace zarvel {
namespace {

constexpr char kKeys[] = "1e 9e a\n30 b0 b\n2a aa lshift\ne0,48 e0,c8 up\n0 0 none\n";

// Nine SNES pads with two shift states each, every button typing a key in every state.
void ConfigureNinePads(ProcessState& state) {
  std::string keys(kKeys);
  SettingsFile file(fmemopen(keys.data(), keys.size(), "r"));
  ReadKeyDefinitions(file.get(), state.allocation, state.keyDefinitions);
  state.keyQueue.Init(kLargestKeyQueue, state.allocation, state.trace);
  AllocateKeySequence(state.stagingSequence, state.allocation, kStagingRoom);
  for (ControlPad& pad : state.Pads) {
    pad.buttonCount = kSnesPad.buttonCount;
    for (int16_t i = 0; i < pad.buttonCount; ++i) {
      pad.buttonNames[static_cast<size_t>(i)] = kSnesButtonOrder[static_cast<size_t>(i)];
    }
    ResetPadState(pad, 1, state.files);
    const ButtonSetup setup{state.files, state.trace, state.keyDefinitions, state.allocation};
    pad.numShifts = 2;
    CreateKeyTable(pad.keyDown, pad, "key down", setup);
    CreateKeyTable(pad.keyUp, pad, "key up", setup);
    for (int16_t i = 0; i < pad.buttonCount; ++i) {
      std::string value = i % 3 == 0 ? "repeat a; lshift,b; up" : "a; lshift,b; up";
      SplitButtonDefinition(i, value, pad, setup);
    }
    AssignShiftButtons(pad, "l, toggle select");
  }
  state.PadCount = kMaxPads;
}

// The processing of one tick for nine busy pads, every button changing at every tick: the
// worst a tick can meet. The queue is emptied after each tick, as the keyboard controller
// would empty it over the following ticks.
void ProcessNineBusyPads(benchmark::State& benchmarkState) {
  ProcessState state;
  ConfigureNinePads(state);
  uint8_t pressed = 0;
  for (auto _ : benchmarkState) {
    pressed ^= 1;
    for (ControlPad& pad : state.Pads) {
      pad.raw.fill(pressed);
      UpdateButtonOutputs(pad);
      UpdateShiftState(pad);
      EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
    }
    state.keyQueue.Clear();
  }
}
BENCHMARK(ProcessNineBusyPads);

// The same pads with nothing pressed: a quiet tick.
void ProcessNineIdlePads(benchmark::State& benchmarkState) {
  ProcessState state;
  ConfigureNinePads(state);
  for (auto _ : benchmarkState) {
    for (ControlPad& pad : state.Pads) {
      UpdateButtonOutputs(pad);
      UpdateShiftState(pad);
      EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
    }
    benchmark::DoNotOptimize(state.keyQueue.Empty());
  }
}
BENCHMARK(ProcessNineIdlePads);

}  // namespace
}  // namespace zarvel
