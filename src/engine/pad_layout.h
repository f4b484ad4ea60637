#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pads/control_pad.h"

namespace zarvel {

struct SettingsFiles;

// What stays the same about one pad for a whole execution, as a window draws it: its section,
// its kind, its buttons in read order and the button of each shift state.
struct PadLayout {
  std::string header;  // As found: "[snes 1]".
  std::string kind;    // The kind's section name: "snes" or "nes".
  std::vector<std::string> buttonNames;
  // Entry k - 1 is what selects shift state k, as the section's Shifts gives it: "select" or
  // "toggle select" for a latching one.
  std::vector<std::string> shiftButtons;
  // What each button types, in read order: its item's value as the configuration gives it
  // ("a; lshift,a; 1"), empty when no item names the button.
  std::vector<std::string> definitions;
  // Each button's gesture items, as written ("a.hold = lshift", "l+r = space").
  std::vector<std::vector<std::string>> gestures;

  // The shift state as a user reads it: "state 0", or "state 2: toggle select".
  std::string ShiftStateText(int state) const;
  // The button's index in read order, or -1 when the pad has no such button.
  int ButtonIndex(const std::string& name) const;
  // What the button types in the shift state, short enough for its picture: "a", "esc", "⇧a"
  // for lshift then a, "a,b" for a sequence; empty when it types nothing there.
  std::string KeyLabel(int button, int state) const;
  // Whether the button types the key `key` in the shift state, plainly or as part of its keys.
  bool Types(int button, int state, std::string_view key) const;
  // The button's whole definition, a line each: its name, what it types in every shift state,
  // the shift state it selects, and its gesture items.
  std::string Description(int button) const;
};

// The layouts of the pads the configuration's files ask for, in the order an execution would
// set them up, read from the files alone: what a window shows before any execution. A section
// of an unknown kind is passed over; past kMaxPads no pad is shown, as no execution takes one.
std::vector<PadLayout> LayoutOfSettings(const SettingsFiles& files);

// The layouts of an execution's pads, in discovery order, once they are set up.
std::vector<PadLayout> LayoutOfPads(std::span<const ControlPad> pads);

}  // namespace zarvel
