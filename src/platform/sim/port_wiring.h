#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/config_section.h"
#include "config/pad_sections.h"
#include "platform/sim/sim_game_pad.h"

namespace zarvel {

// One pad plugged into the simulated port: its kind, its position in the order the execution
// discovers pads (1 to 9, all SNES pads first), and the pins its cable is soldered to.
struct PadWiring {
  SimPadKind kind = SimPadKind::kSnes;
  int32_t position = 0;
  PadCable cable;
};

// How the simulated parallel port is set up: its base address, when one could be read, and
// the pads on it. Read ahead of an execution, it also carries the keyboard method the execution
// will use, so that real hardware is asked only for what that method needs.
struct PortWiring {
  std::optional<int32_t> base;
  std::vector<PadWiring> pads;
  std::optional<KeySimMethod> keySimMethod;
};

// Works out the simulated port from the same files an execution of the document will read: the
// port at the [config] Port of the document or the global settings file, its KeySimMethod, and a
// pad for every pad section the execution will find, its cable soldered to the pins the home
// directory's circuit file gives it. What cannot be worked out stays unwired (no port, no
// method, or no pad at that position) without a word: the execution reads the same files and
// reports the fault itself.
PortWiring ReadPortWiring(const std::string& documentPath, const std::string& homeDir);

// The simulated port at `base` with the pads an execution asks for, in its order, each soldered
// as the home directory's circuit file says: what a simulated PC plugs in once the execution
// has read its own configuration. A pad whose pins cannot be worked out is left out, keeping
// its place; pads beyond the ninth are not plugged in.
PortWiring WirePads(int32_t base, std::span<const PadPlace> places, const std::string& homeDir);

}  // namespace zarvel
