#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/event.h>

#include "platform/available_hardware.h"
#include "platform/hardware_choice.h"
#include "platform/linux/system_calls.h"

class wxFrame;
class wxMenu;
class wxMenuEvent;

namespace zarvel {

class UserPrompts;

// The Hardware menu: radio items for where the pads are read (the simulated PC, each
// parallel-port device the machine has, direct port access) and for where the keys go (the
// simulated PC, the desktop through the virtual keyboard, the keyboard controller), and a box
// that says what each needs. Each item's prompt in the status bar says so too. The devices are
// listed when the menu is made and again whenever it opens; the direct items are offered only
// while the editor runs with the right to the port instructions.
//
// It handles its own commands on the frame. A choice the user makes is kept in the settings
// (the part chosen only: what the command line gave for the other stays unkept) and handed to
// `chosen`.
class HardwareMenu : public wxEvtHandler {
 public:
  using ChoiceSink = std::function<void(const HardwareChoice&)>;

  HardwareMenu(wxFrame& frame, SystemCalls& calls, UserPrompts& prompts,
               const HardwareChoice& choice, ChoiceSink chosen);

  // The menu, for the menu bar, which then owns it.
  wxMenu* Menu() const { return menu_; }
  // What the user chose last, or the editor started with.
  const HardwareChoice& Choice() const { return choice_; }

 private:
  // Makes the items afresh for the devices found and the choice.
  void Fill();
  // Checks the items of the choice.
  void ShowChoice();
  void OnMenuOpen(wxMenuEvent& event);
  void OnCommand(wxCommandEvent& event);
  void AppendDirect(int id, bool offered);

  wxFrame& frame_;
  SystemCalls& calls_;
  UserPrompts& prompts_;
  ChoiceSink chosen_;
  HardwareChoice choice_;
  AvailableHardware available_;
  // The devices of the items from kPadsDeviceFirstId on: those found, and the chosen one.
  std::vector<std::string> devices_;
  wxMenu* menu_;
};

}  // namespace zarvel
