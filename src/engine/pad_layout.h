#pragma once

#include <span>
#include <string>
#include <vector>

#include "pads/control_pad.h"

namespace zarvel {

// What stays the same about one pad for a whole execution, as a window draws it: its section,
// its kind, its buttons in read order and the button of each shift state.
struct PadLayout {
  std::string header;  // As found: "[snes 1]".
  std::string kind;    // The kind's section name: "snes" or "nes".
  std::vector<std::string> buttonNames;
  // Entry k - 1 is what selects shift state k, as the section's Shifts gives it: "select" or
  // "toggle select" for a latching one.
  std::vector<std::string> shiftButtons;

  // The shift state as a user reads it: "state 0", or "state 2: toggle select".
  std::string ShiftStateText(int state) const;
  // The button's index in read order, or -1 when the pad has no such button.
  int ButtonIndex(const std::string& name) const;
};

// The layouts of an execution's pads, in discovery order, once they are set up.
std::vector<PadLayout> LayoutOfPads(std::span<const ControlPad> pads);

}  // namespace zarvel
