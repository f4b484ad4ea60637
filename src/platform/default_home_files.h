#pragma once

#include <span>
#include <string_view>

namespace zarvel {

// One of the settings files a new home directory is filled with.
struct DefaultHomeFile {
  std::string_view name;
  std::string_view contents;
};

// The shipped default home files, carried inside the binary.
std::span<const DefaultHomeFile> DefaultHomeFiles();

}  // namespace zarvel
