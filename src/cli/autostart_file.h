#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/runner_options.h"
#include "platform/hardware_choice.h"

namespace zarvel {

// The file of the home directory that says which back ends an execution started at login
// drives, one setting a line, as `parport=ppdev:/dev/parport0` and `keyboard=uinput`; blank
// lines and lines starting with "#" are skipped. A setting left out keeps the simulated PC's
// back end, as the option left out does.
inline constexpr std::string_view kAutostartFileName = "autostart.conf";

// Reads the settings of an autostart file's text into `choice`, with the same readers as
// --parport and --keyboard. Returns what is wrong, as `FILE:LINE: message`.
std::optional<std::string> ReadAutostartText(std::string_view text, std::string_view fileName,
                                             HardwareChoice& choice);

// Fills in the options of --autostart NAME: the configuration NAME.ini of the home directory
// and the back ends of its autostart file. Returns what is wrong.
std::optional<std::string> ApplyAutostart(RunnerOptions& options);

}  // namespace zarvel
