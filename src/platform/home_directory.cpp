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

// Both programs change into the document's directory to execute it, so a relative home is
// fixed here against the directory they were started in, as every other path they are given
// is. When the current directory cannot be had, the name is kept as it was given.
std::string Absolute(const std::string& directory) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(directory, error);
  return error ? directory : WithSeparator(absolute.string());
}

std::string FindRelativeHome(const std::string& commandLineHome) {
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

// The folders of `directory` that do not exist yet, the outermost first.
std::vector<std::string> MissingFolders(const std::string& directory) {
  namespace fs = std::filesystem;
  std::vector<std::string> missing;
  std::error_code error;
  fs::path folder = fs::path(directory).lexically_normal();
  if (!folder.has_filename()) {
    folder = folder.parent_path();  // The name ended with a separator.
  }
  while (!folder.empty() && !fs::exists(folder, error) && folder != folder.parent_path()) {
    missing.insert(missing.begin(), folder.string());
    folder = folder.parent_path();
  }
  return missing;
}

}  // namespace

std::string FindHomeDirectory(const std::string& commandLineHome) {
  const std::string home = FindRelativeHome(commandLineHome);
  return home.empty() ? home : Absolute(home);
}

SeedResult SeedHomeDirectory(const std::string& homeDir) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(homeDir, error)) {
    return {};
  }
  SeedResult result{true, std::nullopt, MissingFolders(homeDir)};
  if (!fs::create_directories(homeDir, error) && error) {
    return {false, error.message(), {}};
  }
  for (const DefaultHomeFile& file : DefaultHomeFiles()) {
    const fs::path path = fs::path(homeDir) / file.name;
    std::ofstream out(path, std::ios::binary);
    result.made.push_back(path.string());
    out.write(file.contents.data(), static_cast<std::streamsize>(file.contents.size()));
    if (!out) {
      result.error = "could not write " + path.string();
      return result;
    }
  }
  return result;
}

std::string HomeCreatedNotice(const std::string& homeDir) {
  return "created the home directory " + homeDir +
         " with the default zarvel.ini, circuits.ini and keys.cfg";
}

}  // namespace zarvel
