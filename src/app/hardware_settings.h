#pragma once

#include <optional>
#include <string>

#include "platform/hardware_choice.h"

class wxConfigBase;

namespace zarvel {

// The hardware options of the command line, each as the user wrote it, when given. They stand
// in for the settings for one run and are never kept.
struct HardwareOptions {
  std::optional<std::string> parport;
  std::optional<std::string> keyboard;
};

// The hardware the editor starts with: the choice kept in the settings, with the options of
// the command line in place of the parts they give. A part the settings lack, or hold in words
// no option takes, is the simulated PC's.
HardwareChoice StartingHardwareChoice(wxConfigBase& config, const HardwareOptions& options);

// Keeps one part of the choice, the pads or the keys, in the settings for every later start.
void KeepParportChoice(wxConfigBase& config, const HardwareChoice& choice);
void KeepKeyboardChoice(wxConfigBase& config, const HardwareChoice& choice);

}  // namespace zarvel
