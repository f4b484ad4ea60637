#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/system_calls.h"

namespace zarvel {

// Where the settings files live: the directory given on the command line, else $ZARVEL_HOME,
// else $XDG_CONFIG_HOME/zarvel/, else ~/.config/zarvel/. A relative one is made absolute
// against the current directory, so the programs call this before they change directory.
// Always ends with "/". Empty when none of these can be worked out (no option, no
// environment variable, no HOME).
std::string FindHomeDirectory(const std::string& commandLineHome);

// Makes the home directory with the shipped default files when it does not exist, and gives a
// home that lacks some of them the missing ones; a file that exists is never replaced.
//
// Nothing is ever half made: each file is written under a temporary name beside its own, synced
// and renamed into place, and a new home is filled under a temporary name beside it and renamed
// into place whole, so that many programs started at once on a home that does not exist yet
// all find it complete and only one of them made it. What a failed attempt made is removed
// again.
//
// Every folder and file is reached from the folder above it through a descriptor, and nothing
// that is made is opened through a symbolic link: run as root, Zarvel never changes what a
// link planted in its way points to. Run as root, the folders the home is found in must belong
// to root or to the user who ran sudo; what is made in a folder of that user is given to them.
struct SeedResult {
  bool created = false;              // This call made the home directory.
  std::vector<std::string> added;    // The files this call added to a home that lacked them.
  std::optional<std::string> error;  // Why the home could not be made or completed.
};
SeedResult SeedHomeDirectory(SystemCalls& calls, const std::string& homeDir);
// The same through the operating system's own calls.
SeedResult SeedHomeDirectory(const std::string& homeDir);

// What the programs say once they have created the home directory, or added missing files to it.
std::string HomeCreatedNotice(const std::string& homeDir);
std::string HomeFilesAddedNotice(const std::string& homeDir, const std::vector<std::string>& added);

}  // namespace zarvel
