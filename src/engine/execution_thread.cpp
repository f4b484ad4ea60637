#include "engine/execution_thread.h"

#include <algorithm>
#include <vector>

#include "base/bad_thing.h"
#include "engine/execution_host.h"
#include "mapping/button_configuration.h"
#include "mapping/button_gestures.h"
#include "mapping/button_processing.h"
#include "pads/pad_discovery.h"
#include "pads/pad_groups.h"
#include "pads/pad_read.h"

namespace zarvel {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

TickSchedule::TickSchedule(std::chrono::nanoseconds period, Clock::time_point start)
    : period_(std::chrono::duration_cast<Clock::duration>(period)), next_(start) {}

Clock::time_point TickSchedule::Next(Clock::time_point now) {
  next_ += period_;
  // A tick that overran its period is not made up by a burst: the next tick waits for the next
  // slot of the schedule.
  if (next_ < now && period_.count() > 0) {
    next_ += ((now - next_) / period_ + 1) * period_;
  }
  return next_;
}

void ResetExecutionState(ProcessState& state) {
  ResetSettingsFiles(state.files);
  state.heldKeys.Clear();
  state.keyDefinitions.count = 0;
  state.PadCount = 0;
  state.padGroups = PadGroups{};
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
  // The connected test at initialisation already reads through a port as slow as the user
  // asked for.
  state.port.writeDelayUs = state.config.padDelayUs;
  state.port.psxDelayUs = state.config.psxDelayUs;
  DiscoverPads(discovery, port);
  GroupPads(std::span<const ControlPad>(state.Pads.data(), static_cast<size_t>(state.PadCount)),
            state.config.padRead == PadReadMethod::kTogether, state.padGroups);
}

void Tick(ProcessState& state, ExecutionHost& host) {
  PortIo& port = host.Port();
  // Every pad is read before any is processed: pads that share their lines are read in one
  // pass, and the processing does not touch the port.
  ReadPads(state.padGroups,
           std::span<ControlPad>(state.Pads.data(), static_cast<size_t>(state.PadCount)),
           state.port, port);
  for (int16_t i = 0; i < state.PadCount; ++i) {
    ControlPad& pad = state.Pads[static_cast<size_t>(i)];
    if (FollowPadPresence(pad)) {
      host.PadPresenceChanged(i + 1, pad.header, !pad.unplugged);
    }
    DecideGestures(pad, state.keyQueue, state.stagingSequence);
    UpdateButtonOutputs(pad);
    UpdateShiftState(pad);
    EmitKeyEvents(pad, state.keyQueue, state.stagingSequence);
  }
  host.PadsProcessed(
      std::span<const ControlPad>(state.Pads.data(), static_cast<size_t>(state.PadCount)));
  const bool everyByte = host.TakesEveryQueuedByte();
  while (!state.keyQueue.Empty()) {
    const uint8_t byte = state.keyQueue.Pop();
    SendKey(byte, state.config, port, state.heldKeys);
    host.KeySent(byte);
    if (!everyByte) {
      break;
    }
  }
}

void ReleaseHeldKeys(ProcessState& state, ExecutionHost& host, int64_t lastTick) {
  if (!state.heldKeys.InSequence() && state.heldKeys.Keys().empty()) {
    return;
  }
  int64_t slot = lastTick;
  const auto slotMs = static_cast<int32_t>(std::min<int64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(state.config.tickPeriod).count(),
      kReleaseSlotMs));
  const auto sendInSlot = [&](uint8_t byte) {
    host.SlotStarts(++slot);
    SendKey(byte, state.config, host.Port(), state.heldKeys);
    host.KeySent(byte);
    host.SleepMs(slotMs);
  };
  // The queue holds whole scan codes in order, so the rest of the one under way comes next.
  while (state.heldKeys.InSequence() && !state.keyQueue.Empty()) {
    sendInSlot(state.keyQueue.Pop());
  }
  state.keyQueue.Clear();
  // A copy, since every break code sent changes what is held.
  const std::vector<const ScanCodeKey*> held = state.heldKeys.Keys();
  for (auto key = held.rbegin(); key != held.rend(); ++key) {
    const ScanCodeBytes release = ReleaseBytes(**key);
    for (const uint8_t byte : release.View()) {
      sendInSlot(byte);
    }
  }
}

void ExecutionThread(RunBlock& runBlock, ProcessState& state, ExecutionHost& host) {
  state.trace.sink = &host;
  int64_t tick = 0;  // The last tick begun.
  try {
    ResetExecutionState(state);
    state.trace.traceEnabled = false;
    state.trace.tracePaging = false;
    state.files.localName = runBlock.path;
    OpenSettingsFiles(state.files, state.trace, runBlock.homeDir);
    ConfigureExecution(state, host.Port(), [&host, &state](std::span<const PadPlace> places) {
      host.PadsExpected(state.port.base, places);
    });
    host.PadsConfigured(
        std::span<const ControlPad>(state.Pads.data(), static_cast<size_t>(state.PadCount)));
    host.SettingsRead(state.files);
    CloseSettingsFiles(state.files, state.trace);
    runBlock.configured = 1;

    // `running` is tested before every tick, the first one included, and after every sleep.
    // Ticks start on a fixed schedule of the monotonic clock, one period apart.
    TickSchedule schedule(state.config.tickPeriod);
    while (runBlock.running == 1) {
      host.TickStarts(++tick);
      Tick(state, host);
      host.SleepUntilTick(schedule.Next(Clock::now()), state.config.tickPeriod);
    }
    TracePause(state.trace);
    ReleaseHeldKeys(state, host, tick);
  } catch (const BadThing& error) {
    // No key stays down while the user reads the message. The message is shown and dismissed
    // before the files close and the execution is marked finished, so a Stop given meanwhile
    // waits for the user.
    ReleaseHeldKeys(state, host, tick);
    host.SettingsRead(state.files);
    host.ShowBadThing(error);
    CloseSettingsFiles(state.files, state.trace);
  } catch (const ProcessEndingStop& stop) {
    // A host that lets the process live on has told the user; the execution still ends.
    host.SettingsRead(state.files);
    host.EndProcess(stop);
    CloseSettingsFilesQuietly(state.files);
  }
  // The host may start the next execution, with another host, as soon as `finished` is set.
  state.trace.sink = nullptr;
  host.Ended();
  runBlock.finished = 1;
}

}  // namespace zarvel
