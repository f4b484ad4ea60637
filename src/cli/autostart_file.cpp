#include "cli/autostart_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The text of a plain file. A folder, a FIFO or a device is no autostart.conf: it would read
// as empty, wait for a writer that never comes, or never end.
std::optional<std::string> ReadRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat status {};
  std::optional<std::string> text;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    text.emplace();
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(fd, buffer, sizeof buffer)) > 0) {
      text->append(buffer, static_cast<size_t>(count));
    }
    if (count < 0) {
      text.reset();
    }
  }
  ::close(fd);
  return text;
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
  const std::optional<std::string> text = ReadRegularFile(path);
  if (!text) {
    return "--autostart needs " + path +
           ", naming the back ends: parport=ppdev:/dev/parport0 and keyboard=uinput, one a line";
  }
  if (std::optional<std::string> error = ReadAutostartText(*text, path, options.hardware)) {
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
