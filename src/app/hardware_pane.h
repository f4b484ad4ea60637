#pragma once

#include <wx/string.h>

#include "platform/hardware_choice.h"

class wxStatusBar;

namespace zarvel {

// The status bar's hardware pane says where the execution's pads are read and where its keys
// go: "Simulated PC" when both are simulated, else the pads, an arrow and the keys
// ("/dev/parport0 → desktop").
wxString HardwarePaneText(const HardwareChoice& choice);

// Writes the choice into the pane, made as wide as its text.
void ShowHardwarePane(wxStatusBar& bar, const HardwareChoice& choice);

// Gives the status bar's panes their tooltips: over the hardware pane, how to choose other
// hardware; over another pane, its whole text when the pane cuts it short. A status bar has one
// tooltip for all its panes, so the bar's own is changed as the mouse moves over them; the bar
// must be made without wxSTB_SHOW_TIPS, which would keep it for the framework alone.
void ShowStatusBarTips(wxStatusBar& bar);

}  // namespace zarvel
