#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "config/pad_sections.h"
#include "pads/control_pad.h"
#include "pads/pin_lookup.h"

namespace zarvel {

struct AllocationGate;
struct ParallelPort;
struct TraceState;

// What pad discovery reads and fills besides the port it drives: the execution's settings
// files, its trace and allocation gate, the [config] InternalPower flag, the port record, the
// combined pin definitions, and the pads with their count. What each pad's buttons do is the
// button mapping's business, which sits above the pads: the caller hands in how a pad found
// under a section header gets its buttons set up, and discovery calls it right after the pad's
// initialisation.
struct PadDiscovery {
  const SettingsFiles& files;
  TraceState& trace;
  const AllocationGate& allocation;
  bool internalPower = false;
  ParallelPort& port;
  CombinedPinDefs& combinedPins;
  std::array<ControlPad, kMaxPads>& pads;
  int16_t& padCount;
  std::function<void(ControlPad& pad, const std::string& header)> configureButtons;
  // Told every pad the configuration asks for, in the order they are set up, before the first
  // one is: a simulated PC plugs those pads in then. May be empty.
  std::function<void(std::span<const PadPlace> places)> padsFound;
};

// A kind's initialisation routine: sets the pad up as pad number `padNumber` of its kind.
using PadInitFunc = void (*)(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery,
                             PortIo& io);

// Finds every pad section of the configuration, all SNES pads, then all NES pads, then all
// PlayStation pads, and initialises and configures a pad for each. An execution without any ends
// with "Could not find any control pad info in ini file.\n", and a tenth pad with "Maximum number
// of controllers exceded.\n".
void DiscoverPads(PadDiscovery& discovery, PortIo& io);

// Set a pad up as its kind: read routine, button count, pins from the circuit file, power (when
// InternalPower is set), one read and the connected test, then the button names.
void InitSnesPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io);
void InitNesPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io);
void InitPsxPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io);
void InitGenesisPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io);
void InitAtariPad(ControlPad& pad, int32_t padNumber, PadDiscovery& discovery, PortIo& io);

// Clears the state the button processing keeps for the pad's buttons and gives the pad its
// number and the execution's files. The buttons' raw states and mapping are left alone.
void ResetPadState(ControlPad& pad, int32_t padNumber, const SettingsFiles& files);

}  // namespace zarvel
