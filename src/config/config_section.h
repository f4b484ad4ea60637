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
  int32_t keyQueueSize = 0;       // Bytes in the key queue's ring.
  uint8_t controllerAddress = 0;  // 8042Addr: controller RAM byte used as the mailbox.
  int32_t tickPeriod = 0;         // Milliseconds slept after every tick.
  bool drawDots = false;          // Kept; nothing reads it.
  KeySimFunc keySimFunc = nullptr;
};

inline constexpr const char* kConfigHeader = "[config]";

// Reads and checks the [config] keys, the document first and the global file for what it
// lacks or leaves empty, each checked as soon as it is read. Port is written to `portBase`,
// the parallel port's base address, which is the one place the address is kept.
void ReadConfig(const SettingsFiles& files, TraceState& trace, ConfigSettings& config,
                int32_t& portBase);

// The base I/O address of the parallel port: the required [config] key Port, in hexadecimal.
int32_t ReadPortBase(const SettingsFiles& files);

}  // namespace zarvel
