#include "platform/home_directory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/default_home_files.h"

namespace zarvel {
namespace {

std::string WithSeparator(std::string directory) {
  if (!directory.empty() && directory.back() != '/') {
    directory.push_back('/');
  }
  return directory;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string FindHomeDirectory(const std::string& commandLineHome) {
  if (!commandLineHome.empty()) {
    return WithSeparator(commandLineHome);
  }
  if (std::string home = Environment("ZARVEL_HOME"); !home.empty()) {
    return WithSeparator(home);
  }
  if (std::string config = Environment("XDG_CONFIG_HOME"); !config.empty()) {
    return WithSeparator(config) + "zarvel/";
  }
  if (std::string user = Environment("HOME"); !user.empty()) {
    return WithSeparator(user) + ".config/zarvel/";
  }
  return {};
}

SeedResult SeedHomeDirectory(const std::string& homeDir) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(homeDir, error)) {
    return {};
  }
  if (!fs::create_directories(homeDir, error) && error) {
    return {false, error.message()};
  }
  for (const DefaultHomeFile& file : DefaultHomeFiles()) {
    const fs::path path = fs::path(homeDir) / file.name;
    std::ofstream out(path, std::ios::binary);
    out.write(file.contents.data(), static_cast<std::streamsize>(file.contents.size()));
    if (!out) {
      return {true, "could not write " + path.string()};
    }
  }
  return {true, std::nullopt};
}

}  // namespace zarvel
