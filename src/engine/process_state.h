#pragma once

#include <array>

#include "base/checked_alloc.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/settings_files.h"
#include "hardware/held_keys.h"
#include "inject/key_queue.h"
#include "mapping/key_definitions.h"
#include "pads/control_pad.h"
#include "pads/pad_groups.h"
#include "pads/parallel_port.h"
#include "pads/pin_lookup.h"

namespace zarvel {

// Everything an execution builds and keeps, in one record. The host owns it for its whole
// life and hands it to every execution it starts, so what must outlive one execution does
// (the trace count, the [config] values until they are read again), and a test can build a
// fresh one. Only the execution thread touches it while an execution runs.
struct ProcessState {
  TraceState trace;
  SettingsFiles files;
  ConfigSettings config;
  // The port's shadow bytes and the combined pin definitions outlive every execution; the
  // pads are found again by each one.
  ParallelPort port;
  CombinedPinDefs combinedPins;
  std::array<ControlPad, kMaxPads> Pads{};
  int16_t PadCount = 0;
  // Which pads each tick reads in one pass, worked out once the pads are found.
  PadGroups padGroups;
  AllocationGate allocation;
  KeyQueue keyQueue;
  KeyDefinitions keyDefinitions;
  // Every button event's bytes pass through here on their way to the queue; its room is taken
  // at configuration, so the tick never allocates.
  KeySequence stagingSequence;
  // What the bytes sent to the system hold down, so the execution can let it go as it ends.
  HeldKeys heldKeys;
};

}  // namespace zarvel
