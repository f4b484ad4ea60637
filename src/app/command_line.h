#pragma once

#include <optional>
#include <string>

#include "app/hardware_settings.h"

class wxCmdLineParser;

namespace zarvel {

// The switch that keeps the executions' ticks from asking for real-time priority.
inline constexpr char kNoRealtimeSwitch[] = "no-realtime";

// The editor's command line: an optional FILE, --parport, --keyboard, --no-realtime, --verbose
// and --help.
// One description serves both the framework's parse at start-up and the check made before it.
void DescribeCommandLine(wxCmdLineParser& parser);

// Reads --parport and --keyboard into `options` when they were given, each as it was written
// once it is known to name hardware. Returns the reason one of them was refused.
std::optional<std::string> ReadHardwareOptions(const wxCmdLineParser& parser,
                                               HardwareOptions& options);

// What the editor says to a command line before any window exists: the options and status 0
// for --help, the error with the options on standard error and status 2 for a command line it
// cannot take.
struct CommandLineAnswer {
  int status = 0;
  std::string out;
  std::string err;
};

// Answers --help and a wrong command line without the desktop, so that both work where no
// display is reachable. Returns nothing when the editor should start.
std::optional<CommandLineAnswer> AnswerWithoutWindow(int argc, char** argv);

}  // namespace zarvel
