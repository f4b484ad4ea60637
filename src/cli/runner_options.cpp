#include "cli/runner_options.h"

#include <charconv>

namespace zarvel {

const char* const kRunnerUsage =
    "usage: zarvel-run [--home DIR] [--script FILE] [--ticks N] [--fast] [--trace] [--monitor] "
    "[--tick-times] [--no-realtime] [--parport BACKEND] [--keyboard BACKEND] CONFIG.ini "
    "(zarvel-run --help for "
    "more)\n"
    "       zarvel-run [--home DIR] --autostart NAME\n"
    "       zarvel-run --check [--home DIR] CONFIG.ini\n";

const std::string kRunnerHelp =
    std::string(
        "usage: zarvel-run [options] CONFIG.ini\n"
        "       zarvel-run [--home DIR] [options] --autostart NAME\n"
        "\n"
        "Executes one Zarvel configuration, on the simulated PC unless told otherwise, and\n"
        "waits for it to end. SIGHUP reads the configuration again and restarts it.\n"
        "\n"
        "  --home DIR   the home directory with zarvel.ini, circuits.ini and keys.cfg\n"
        "               (default: $ZARVEL_HOME, else $XDG_CONFIG_HOME/zarvel/, else\n"
        "               ~/.config/zarvel/; created with the defaults when missing)\n"
        "  --script FILE\n"
        "               what the simulated pads do (default: all plugged in and idle).\n"
        "               Each line is TICK PAD BUTTON...: from tick TICK on (0 is the\n"
        "               configuration, 1 the first tick) pad PAD (1 to 9, SNES, NES,\n"
        "               PlayStation, Genesis and Atari pads in that order, as\n"
        "               discovered) holds the buttons named (a b x y l r select start\n"
        "               up down left right, or a PlayStation pad's, a Genesis pad's or\n"
        "               an Atari stick's), or none (-), or is unplugged (unplugged).\n"
        "               \"analog\" makes a PlayStation pad answer as analog,\n"
        "               \"threebutton\" a Genesis pad a three-button one. Blank lines\n"
        "               and lines starting with # are skipped; lines come in order of\n"
        "               TICK.\n"
        "  --ticks N    stop after the Nth tick, as the Stop command would\n"
        "  --fast       do not sleep between ticks (virtual time)\n"
        "  --trace      print the configuration trace on standard error\n"
        "  --no-realtime\n"
        "               do not ask for real-time priority for the ticks (asked for by\n"
        "               default, directly or from RealtimeKit; never with --fast)\n"
        "  --monitor    print every change of a pad as a tick reads it, beside the\n"
        "               bytes: TICK pad N BUTTON down or up, TICK pad N unplugged or\n"
        "               back (to check a cable without a configuration that types),\n"
        "               and each decision of a button's gestures: TICK pad N NAME\n"
        "               hold, double, tap or chord\n"
        "  --tick-times\n"
        "               as --monitor, and every change's line ends with the time at which\n"
        "               the tick had read the pads: seconds of the monotonic clock\n"
        "               (CLOCK_MONOTONIC, the clock input events can be stamped with), to\n"
        "               the nanosecond, as in 7 pad 1 a down 512.000250117\n"
        "  --autostart NAME\n"
        "               execute NAME.ini of the home directory on the back ends that the\n"
        "               home directory's autostart.conf names, one a line:\n"
        "               parport=ppdev:/dev/parport0 and keyboard=uinput (what the user\n"
        "               unit zarvel-run@NAME.service runs at login); an error in the\n"
        "               configuration waits for the next SIGHUP instead of ending\n"
        "  --check      check CONFIG.ini instead of executing it: read it as an\n"
        "               execution would, on the simulated PC and without a tick, and\n"
        "               print every problem as FILE:LINE: message (the first error an\n"
        "               execution would stop at, then what it would pass over: names\n"
        "               that nothing reads, pad sections of numbers no pad has, keys\n"
        "               that keys.cfg lacks). The options of an execution (--script,\n"
        "               --ticks, --fast, --trace, --monitor, --tick-times, --parport,\n"
        "               --keyboard) do nothing with it: no hardware is opened.\n"
        "  --help       print this text\n") +
    kHardwareOptionsHelp +
    "\n"
    "Standard output gets one line for every byte that reaches the simulated keyboard\n"
    "controller's system (with --keyboard sim or uinput), and with --monitor one for\n"
    "every change of a pad, before the bytes of the same tick.\n"
    "SIGINT and SIGTERM stop the execution as the Stop command does and end the runner.\n"
    "SIGHUP stops it the same way, reads the configuration again and starts it; from then\n"
    "on a configuration with an error is reported and waits for the next SIGHUP.\n"
    "Exit status: 0 when the execution ended normally (tick limit or signal), 3 when it\n"
    "ended with a Bad Thing, 1 when the process was ended or the hardware could not be\n"
    "had, 2 for a usage error. With --check: 0 when there is no problem, 3 otherwise.\n";

namespace {

bool ParseTickCount(const std::string& text, int64_t& ticks) {
  const char* end = text.data() + text.size();
  const auto [next, error] = std::from_chars(text.data(), end, ticks);
  return error == std::errc() && next == end && ticks > 0;
}

}  // namespace

ParsedOptions ParseRunnerOptions(const std::vector<std::string>& arguments) {
  RunnerOptions options;
  bool haveConfig = false;
  bool backEndGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // An option that takes a value may carry it after "=" or as the next argument.
    auto value = [&](const std::string& name, std::string& out) -> bool {
      if (argument == name && i + 1 < arguments.size()) {
        out = arguments[++i];
        return true;
      }
      if (argument.rfind(name + "=", 0) == 0) {
        out = argument.substr(name.size() + 1);
        return true;
      }
      return false;
    };
    std::string text;
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--fast") {
      options.fast = true;
    } else if (argument == "--trace") {
      options.trace = true;
    } else if (argument == "--monitor") {
      options.monitor = true;
    } else if (argument == "--tick-times") {
      options.monitor = true;
      options.tickTimes = true;
    } else if (argument == "--no-realtime") {
      options.realtime = false;
    } else if (argument == "--check") {
      options.check = true;
    } else if (value("--home", text)) {
      if (text.empty()) {
        return {std::nullopt, "--home needs a directory"};
      }
      options.home = text;
    } else if (value("--script", text)) {
      if (text.empty()) {
        return {std::nullopt, "--script needs a file"};
      }
      options.script = text;
    } else if (value("--ticks", text)) {
      if (!ParseTickCount(text, options.tickLimit)) {
        return {std::nullopt,
                "--ticks needs a whole number of ticks from 1 up, not \"" + text + "\""};
      }
    } else if (value("--autostart", text)) {
      if (text.empty()) {
        return {std::nullopt, "--autostart needs the name of a configuration"};
      }
      options.autostart = text;
    } else if (value("--parport", text)) {
      backEndGiven = true;
      if (std::optional<std::string> error = ReadParportChoice(text, options.hardware)) {
        return {std::nullopt, *error};
      }
    } else if (value("--keyboard", text)) {
      backEndGiven = true;
      if (std::optional<std::string> error = ReadKeyboardChoice(text, options.hardware)) {
        return {std::nullopt, *error};
      }
    } else if (argument == "--home" || argument == "--script" || argument == "--ticks" ||
               argument == "--parport" || argument == "--keyboard" || argument == "--autostart") {
      return {std::nullopt, argument + " needs a value"};
    } else if (argument.size() > 1 && argument[0] == '-') {
      return {std::nullopt, "unknown option " + argument};
    } else if (haveConfig) {
      return {std::nullopt, "only one CONFIG.ini can be executed, not also " + argument};
    } else {
      options.configPath = argument;
      haveConfig = true;
    }
  }
  if (!options.autostart.empty() && haveConfig) {
    return {std::nullopt, "--autostart names the configuration; leave out " + options.configPath};
  }
  if (!options.autostart.empty() && backEndGiven) {
    return {std::nullopt,
            "--autostart takes the back ends from autostart.conf; leave out --parport and "
            "--keyboard"};
  }
  if (!haveConfig && options.autostart.empty() && !options.help) {
    return {std::nullopt, "no CONFIG.ini given"};
  }
  if (!options.check && !options.script.empty() &&
      options.hardware.parport != ParportBackEnd::kSim) {
    return {std::nullopt, "--script says what simulated pads do; it needs --parport sim"};
  }
  return {options, {}};
}

}  // namespace zarvel
