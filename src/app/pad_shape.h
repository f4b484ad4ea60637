#pragma once

#include <string>
#include <vector>

#include <wx/gdicmn.h>

namespace zarvel {

// How one button of a pad picture is drawn: a round face button or a rounded key, in the
// picture's own units (see PadShape).
struct ButtonShape {
  std::string name;   // As the pad kind names the button: "a", "select", "up".
  std::string label;  // What is written on it or under it.
  wxRect place;
  bool round = false;
  bool labelBelow = false;  // A button too small for its label has it written underneath.
};

// The drawing of one kind of pad: its body and buttons, in units of a picture kWidth wide.
struct PadShape {
  static constexpr int kWidth = 200;
  int height = 0;
  wxRect body;
  int bodyRadius = 0;
  wxRect crossCentre;  // The middle of the direction keys, which is no button.
  std::vector<ButtonShape> buttons;

  // The shape of the kind with this section name ("snes", "nes"); an NES pad for any other.
  static const PadShape& OfKind(const std::string& kind);
  // The button whose place holds the point, or null.
  const ButtonShape* ButtonAt(wxPoint point) const;
  const ButtonShape* Button(const std::string& name) const;
};

}  // namespace zarvel
