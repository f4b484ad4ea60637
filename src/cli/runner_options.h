#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/hardware_choice.h"

namespace zarvel {

// What the command line of zarvel-run asks for.
struct RunnerOptions {
  std::string configPath;
  std::string home;       // --home DIR; empty means the usual search.
  std::string script;     // --script FILE: what the simulated pads do; empty: all idle.
  int64_t tickLimit = 0;  // --ticks N; 0 means until stopped by a signal.
  bool fast = false;      // --fast: virtual time, no sleeping between ticks.
  bool trace = false;     // --trace: the configuration trace on standard error.
  bool monitor = false;   // --monitor: every change of a pad's buttons on standard output.
  // --tick-times (which also sets `monitor`): each change's line ends with the monotonic time at
  // which its tick had read the pads.
  bool tickTimes = false;
  // Cleared by --no-realtime: the ticks do not ask for real-time priority. --fast never asks.
  bool realtime = true;
  bool help = false;
  bool check = false;  // --check: check the configuration instead of executing it.
  // --autostart NAME: the configuration NAME.ini of the home directory, on the back ends its
  // autostart.conf names; empty when a CONFIG.ini is given instead.
  std::string autostart;
  HardwareChoice hardware;  // --parport and --keyboard; the simulated PC unless given.
};

// The parsed options, or the one-line reason the command line was refused.
struct ParsedOptions {
  std::optional<RunnerOptions> options;
  std::string error;
};

ParsedOptions ParseRunnerOptions(const std::vector<std::string>& arguments);

extern const char* const kRunnerUsage;
extern const std::string kRunnerHelp;

}  // namespace zarvel
