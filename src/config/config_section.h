#pragma once

#include <cstdint>

#include "inject/key_sim_methods.h"

namespace zarvel {

struct SettingsFiles;
struct TraceState;

// The [config] settings of the current execution. They are read again by every execution and
// keep the last execution's values in between.
struct ConfigSettings {
  bool internalPower = false;     // Each pad's power line is switched on at initialisation.
  uint32_t portBase = 0;          // Base I/O address of the parallel port.
  int32_t keyQueueSize = 0;       // Bytes in the key queue's ring.
  uint8_t controllerAddress = 0;  // 8042Addr: controller RAM byte used as the mailbox.
  int32_t tickPeriod = 0;         // Milliseconds slept after every tick.
  bool drawDots = false;          // Kept; nothing reads it.
  KeySimFunc keySimFunc = nullptr;
};

inline constexpr const char* kConfigHeader = "[config]";

// Reads and checks the [config] keys, the document first and the global file for what it
// lacks or leaves empty, each checked as soon as it is read.
void ReadConfig(const SettingsFiles& files, TraceState& trace, ConfigSettings& config);

}  // namespace zarvel
