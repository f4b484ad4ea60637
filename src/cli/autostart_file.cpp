#include "cli/autostart_file.h"

#include <fstream>
#include <sstream>

#include "platform/home_directory.h"

namespace zarvel {
namespace {

constexpr std::string_view kParportKey = "parport";
constexpr std::string_view kKeyboardKey = "keyboard";
constexpr std::string_view kConfigurationExtension = ".ini";
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<std::string> ReadAutostartText(std::string_view text, std::string_view fileName,
                                             HardwareChoice& choice) {
  int32_t lineNumber = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::string where = std::string(fileName) + ":" + std::to_string(lineNumber) + ": ";
    const size_t equals = line.find('=');
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trimmed(line.substr(equals + 1));
    std::optional<std::string> error;
    if (key == kParportKey) {
      error = ReadParportChoice(value, choice);
    } else if (key == kKeyboardKey) {
      error = ReadKeyboardChoice(value, choice);
    } else {
      error = "\"" + std::string(line) + "\" is not parport=BACKEND or keyboard=BACKEND";
    }
    if (error) {
      return where + *error;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ApplyAutostart(RunnerOptions& options) {
  const std::string home = FindHomeDirectory(options.home);
  if (home.empty()) {
    return "no home directory for --autostart: give --home DIR or set ZARVEL_HOME";
  }
  const std::string path = home + std::string(kAutostartFileName);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return "--autostart needs " + path +
           ", naming the back ends: parport=ppdev:/dev/parport0 and keyboard=uinput, one a line";
  }
  std::stringstream text;
  text << in.rdbuf();
  if (std::optional<std::string> error = ReadAutostartText(text.str(), path, options.hardware)) {
    return error;
  }
  if (!options.script.empty() && options.hardware.parport != ParportBackEnd::kSim) {
    return path + " names real pads; --script says what simulated pads do";
  }
  options.configPath = home + options.autostart;
  const std::string_view name = options.autostart;
  if (name.size() < kConfigurationExtension.size() ||
      name.substr(name.size() - kConfigurationExtension.size()) != kConfigurationExtension) {
    options.configPath += kConfigurationExtension;
  }
  return std::nullopt;
}

}  // namespace zarvel
