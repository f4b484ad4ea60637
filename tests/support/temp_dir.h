#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarvel::testing {

// A directory of its own for one test, removed when the test ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The directory as text ending with "/", as the home directory is given.
  std::string Slash() const { return path_.string() + "/"; }
  // Writes a file (byte for byte) below the directory and returns its full path.
  std::string Write(std::string_view name, std::string_view contents) const;

 private:
  std::filesystem::path path_;
};

}  // namespace zarvel::testing
