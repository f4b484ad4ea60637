#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zarvel {

// Where the settings files live: the directory given on the command line, else $ZARVEL_HOME,
// else $XDG_CONFIG_HOME/zarvel/, else ~/.config/zarvel/. A relative one is made absolute
// against the current directory, so the programs call this before they change directory.
// Always ends with "/". Empty when none of these can be worked out (no option, no
// environment variable, no HOME).
std::string FindHomeDirectory(const std::string& commandLineHome);

// Creates the home directory with the shipped default files when it does not exist at all.
// Returns whether it did, and what it made: the folders it had to create, the outermost first,
// then the files, so that a host running as root can hand them to the user they are for. An
// error text comes back when it could not be created.
struct SeedResult {
  bool created = false;
  std::optional<std::string> error;
  std::vector<std::string> made;
};
SeedResult SeedHomeDirectory(const std::string& homeDir);

// What the programs say once they have created the home directory.
std::string HomeCreatedNotice(const std::string& homeDir);

}  // namespace zarvel
