#pragma once

#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace zarvel::testing {

// The [config] section of a valid configuration, as the shipped global file has it.
inline constexpr std::string_view kValidConfig =
    "[config]\n"
    "InternalPower = true\n"
    "Port = 378\n"
    "KeyQueueSize = 16\n"
    "8042Addr = 1f\n"
    "TickFreq = 100\n"
    "KeySimMethod = newest\n";

// A home directory and a document beside it, in a directory of their own.
class HomeFixture {
 public:
  HomeFixture() {
    home = dir.Slash() + "home/";
    dir.Write("home/zarvel.ini", kValidConfig);
    dir.Write("home/circuits.ini", "[snes]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n");
    dir.Write("home/keys.cfg", "1e 9e a\n0 0 none\n");
  }

  // Writes the document and returns its full path.
  std::string Document(std::string_view contents, std::string_view name = "doc.ini") {
    return dir.Write(name, contents);
  }
  void Global(std::string_view contents) { dir.Write("home/zarvel.ini", contents); }

  TempDir dir;
  std::string home;
};

}  // namespace zarvel::testing
