#include "engine/execution_thread.h"

#include "base/bad_thing.h"
#include "engine/execution_host.h"
#include "mapping/button_configuration.h"
#include "mapping/button_processing.h"
#include "pads/pad_discovery.h"

namespace zarvel {

void ResetExecutionState(ProcessState& state) {
  ResetSettingsFiles(state.files);
  state.keyDefinitions.count = 0;
  state.PadCount = 0;
}

void ConfigureExecution(ProcessState& state, PortIo& port, const PadsFound& padsFound) {
  ReadConfig(state.files, state.trace, state.config, state.port.base);
  state.keyQueue.Init(state.config.keyQueueSize, state.allocation, state.trace);
  LoadKeyDefinitions(state.files, state.allocation, state.keyDefinitions);
  AllocateKeySequence(state.stagingSequence, state.allocation, kStagingRoom);
  DiscoverExecutionPads(state, port, padsFound);
  // The pads' key tables have copied what they need by now.
  FreeKeyDefinitions(state.keyDefinitions);
}

void DiscoverExecutionPads(ProcessState& state, PortIo& port, const PadsFound& padsFound) {
  const ButtonSetup buttons{state.files, state.trace, state.keyDefinitions, state.allocation};
  PadDiscovery discovery{.files = state.files,
                         .trace = state.trace,
                         .allocation = state.allocation,
                         .internalPower = state.config.internalPower,
                         .port = state.port,
                         .combinedPins = state.combinedPins,
                         .pads = state.Pads,
                         .padCount = state.PadCount,
                         .configureButtons =
                             [&buttons](ControlPad& pad, const std::string& header) {
                               ConfigurePadButtons(pad, header, buttons);
                             },
                         .padsFound = padsFound};
  DiscoverPads(discovery, port);
}

void Tick(ProcessState& state, PortIo& port) {
  for (int16_t i = 0; i < state.PadCount; ++i) {
    ControlPad& pad = state.Pads[static_cast<size_t>(i)];
    pad.read(pad, state.port, port);
    UpdateButtonOutputs(pad);
    UpdateShiftState(pad);
    EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
  }
  SendQueuedKey(state.keyQueue, state.config, port);
}

void ExecutionThread(RunBlock& runBlock, ProcessState& state, ExecutionHost& host) {
  state.trace.sink = &host;
  try {
    ResetExecutionState(state);
    state.trace.traceEnabled = false;
    state.trace.tracePaging = false;
    state.files.localName = runBlock.path;
    OpenSettingsFiles(state.files, state.trace, runBlock.homeDir);
    ConfigureExecution(state, host.Port(), [&host, &state](std::span<const PadPlace> places) {
      host.PadsExpected(state.port.base, places);
    });
    CloseSettingsFiles(state.files, state.trace);

    // `running` is tested before every tick, the first one included, and after every sleep.
    int32_t tick = 0;
    while (runBlock.running == 1) {
      host.TickStarts(++tick);
      Tick(state, host.Port());
      host.SleepMs(state.config.tickPeriod);
    }
    TracePause(state.trace);
  } catch (const BadThing& error) {
    // The message is shown and dismissed before the files close and the execution is marked
    // finished, so a Stop given meanwhile waits for the user.
    host.ShowBadThing(error.what());
    CloseSettingsFiles(state.files, state.trace);
  } catch (const ProcessEndingStop& stop) {
    // A host that lets the process live on has told the user; the execution still ends.
    host.EndProcess(stop.what());
    CloseSettingsFilesQuietly(state.files);
  }
  // The host may start the next execution, with another host, as soon as `finished` is set.
  state.trace.sink = nullptr;
  host.Ended();
  runBlock.finished = 1;
}

}  // namespace zarvel
