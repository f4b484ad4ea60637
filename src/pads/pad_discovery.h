#pragma once

#include <cstdint>
#include <string_view>

#include "pads/control_pad.h"

namespace zarvel {

struct ProcessState;

// A kind's initialisation routine: sets the pad up as pad number `padNumber` of its kind.
using PadInitFunc = void (*)(ControlPad& pad, int32_t padNumber, ProcessState& state, PortIo& io);

// Finds every pad section of the configuration, all SNES pads before all NES pads, and
// initialises and configures a pad for each. An execution without any ends with
// "Could not find any control pad info in ini file.\n".
void DiscoverPads(ProcessState& state, PortIo& io);

// Makes a pad of every section of one kind, numbered 1 up to `highestNumber`. A tenth pad ends
// the execution with "Maximum number of controllers exceded.\n".
void DiscoverPadKind(std::string_view kindName, PadInitFunc init, int32_t highestNumber,
                     ProcessState& state, PortIo& io);

// Set a pad up as its kind: read routine, button count, pins from the circuit file, power (when
// InternalPower is set), one read and the connected test, then the button names.
void InitSnesPad(ControlPad& pad, int32_t padNumber, ProcessState& state, PortIo& io);
void InitNesPad(ControlPad& pad, int32_t padNumber, ProcessState& state, PortIo& io);

// Clears the state the button processing keeps for the pad's buttons and gives the pad its
// number and the execution's files. The buttons' raw states and mapping are left alone.
void ResetPadState(ControlPad& pad, int32_t padNumber, const SettingsFiles& files);

}  // namespace zarvel
