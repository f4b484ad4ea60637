#include "app/hardware_menu.h"

#include <algorithm>

#include <wx/config.h>
#include <wx/frame.h>
#include <wx/menu.h>

#include "app/command_ids.h"
#include "app/editor_texts.h"
#include "app/hardware_settings.h"
#include "app/latin1_text.h"
#include "app/user_prompts.h"

namespace zarvel {
namespace {

constexpr int kDeviceItemCount = kPadsDeviceLastId - kPadsDeviceFirstId + 1;

bool SameHardware(const AvailableHardware& a, const AvailableHardware& b) {
  return a.parportDevices == b.parportDevices && a.directAccess == b.directAccess;
}

}  // namespace

HardwareMenu::HardwareMenu(wxFrame& frame, SystemCalls& calls, UserPrompts& prompts,
                           const HardwareChoice& choice, ChoiceSink chosen)
    : frame_(frame),
      calls_(calls),
      prompts_(prompts),
      chosen_(std::move(chosen)),
      choice_(choice),
      available_(FindAvailableHardware(calls)),
      menu_(new wxMenu) {
  Fill();
  frame.Bind(wxEVT_MENU, &HardwareMenu::OnCommand, this, kPadsSimulatedId, kHardwareHelpId);
  frame.Bind(wxEVT_MENU, &HardwareMenu::OnCommand, this, kPadsDeviceFirstId, kPadsDeviceLastId);
  frame.Bind(wxEVT_MENU_OPEN, &HardwareMenu::OnMenuOpen, this);
}

void HardwareMenu::Fill() {
  while (menu_->GetMenuItemCount() > 0) {
    menu_->Destroy(menu_->FindItemByPosition(0));
  }
  devices_ = available_.parportDevices;
  const bool chosenDeviceFound =
      std::find(devices_.begin(), devices_.end(), choice_.ppdevDevice) != devices_.end();
  if (choice_.parport == ParportBackEnd::kPpdev && !chosenDeviceFound) {
    devices_.push_back(choice_.ppdevDevice);
  }
  if (devices_.size() > static_cast<size_t>(kDeviceItemCount)) {
    devices_.resize(static_cast<size_t>(kDeviceItemCount));
  }

  const CommandTexts& simulatedPads = TextsOf(kPadsSimulatedId);
  menu_->AppendRadioItem(kPadsSimulatedId, simulatedPads.label, simulatedPads.prompt);
  for (size_t index = 0; index < devices_.size(); ++index) {
    const wxString device = TextFromBytes(devices_[index]);
    wxString label = wxString::Format(kPadsDeviceLabel, device);
    if (std::find(available_.parportDevices.begin(), available_.parportDevices.end(),
                  devices_[index]) == available_.parportDevices.end()) {
      label += kDeviceNotFound;
    }
    menu_->AppendRadioItem(kPadsDeviceFirstId + static_cast<int>(index), label,
                           wxString::Format(kPadsDevicePrompt, device));
  }
  if (devices_.empty()) {
    // Said rather than left out, so that a user looking for the port learns why it is missing.
    const CommandTexts& none = TextsOf(kNoParportId);
    menu_->Append(kNoParportId, none.label, none.prompt)->Enable(false);
  }
  AppendDirect(kPadsDirectId,
               available_.directAccess || choice_.parport == ParportBackEnd::kDirect);
  menu_->AppendSeparator();
  for (const int id : {kKeysSimulatedId, kKeysDesktopId}) {
    const CommandTexts& texts = TextsOf(id);
    menu_->AppendRadioItem(id, texts.label, texts.prompt);
  }
  AppendDirect(kKeysDirectId,
               available_.directAccess || choice_.keyboard == KeyboardBackEnd::kDirect);
  menu_->AppendSeparator();
  const CommandTexts& help = TextsOf(kHardwareHelpId);
  menu_->Append(kHardwareHelpId, help.label, help.prompt);
  ShowChoice();
}

void HardwareMenu::AppendDirect(int id, bool offered) {
  // Without the right to the port instructions the item says what it needs instead of being
  // chosen; a choice made already (on the command line, as root) stays shown and choosable.
  const CommandTexts& texts = TextsOf(id);
  wxMenuItem* item = menu_->AppendRadioItem(
      id, offered ? wxString(texts.label) : wxString(texts.label) + kNeedsRoot, texts.prompt);
  item->Enable(offered);
}

void HardwareMenu::ShowChoice() {
  int pads = kPadsSimulatedId;
  if (choice_.parport == ParportBackEnd::kDirect) {
    pads = kPadsDirectId;
  } else if (choice_.parport == ParportBackEnd::kPpdev) {
    const auto device = std::find(devices_.begin(), devices_.end(), choice_.ppdevDevice);
    if (device != devices_.end()) {
      pads = kPadsDeviceFirstId + static_cast<int>(device - devices_.begin());
    }
  }
  int keys = kKeysSimulatedId;
  if (choice_.keyboard == KeyboardBackEnd::kUinput) {
    keys = kKeysDesktopId;
  } else if (choice_.keyboard == KeyboardBackEnd::kDirect) {
    keys = kKeysDirectId;
  }
  menu_->Check(pads, true);
  menu_->Check(keys, true);
}

void HardwareMenu::OnMenuOpen(wxMenuEvent& event) {
  event.Skip();
  if (event.GetMenu() != menu_) {
    return;
  }
  // A module loaded or a card plugged in since the menu was last made shows now.
  AvailableHardware found = FindAvailableHardware(calls_);
  if (!SameHardware(found, available_)) {
    available_ = std::move(found);
    Fill();
  }
}

void HardwareMenu::OnCommand(wxCommandEvent& event) {
  const int id = event.GetId();
  if (id == kHardwareHelpId) {
    prompts_.ShowMessage(&frame_, wxString::FromUTF8(kHardwareHelp), kHardwareHelpCaption,
                         wxOK | wxICON_INFORMATION);
    return;
  }
  HardwareChoice choice = choice_;
  bool padsChosen = true;
  if (id == kPadsSimulatedId) {
    choice.parport = ParportBackEnd::kSim;
  } else if (id == kPadsDirectId) {
    choice.parport = ParportBackEnd::kDirect;
  } else if (id >= kPadsDeviceFirstId && id <= kPadsDeviceLastId) {
    const auto index = static_cast<size_t>(id - kPadsDeviceFirstId);
    if (index >= devices_.size()) {
      return;
    }
    choice.parport = ParportBackEnd::kPpdev;
    choice.ppdevDevice = devices_[index];
  } else {
    padsChosen = false;
    choice.keyboard = id == kKeysDesktopId  ? KeyboardBackEnd::kUinput
                      : id == kKeysDirectId ? KeyboardBackEnd::kDirect
                                            : KeyboardBackEnd::kSim;
  }
  choice_ = choice;
  if (wxConfigBase* config = wxConfigBase::Get(false)) {
    if (padsChosen) {
      KeepParportChoice(*config, choice_);
    } else {
      KeepKeyboardChoice(*config, choice_);
    }
  }
  ShowChoice();
  chosen_(choice_);
}

}  // namespace zarvel
