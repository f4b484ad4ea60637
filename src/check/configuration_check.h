#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"

namespace zarvel {

// One problem of a configuration: the file it is in, the line (from 1; 0 when it concerns the
// file as a whole) and what is wrong. `error` marks the one an execution would stop at, with the
// execution's own message; the others are what an execution passes over without a word, or
// never reaches because it stops first.
struct Problem {
  std::string file;
  int line = 0;
  std::string message;
  bool error = false;
  // The word on the line that the problem is about (an item's name, a value), when it names
  // one.
  std::string subject = {};
};

// A stop's message as a list of problems shows it: without its line ends, without the
// "Bad Thing: " a process-ending stop begins with, and without the file it names first when the
// problem names that file already.
std::string StopMessageOf(std::string_view message, const SettingsPlace& place);

// Told what the check did besides checking, such as creating the home directory.
using CheckNotice = std::function<void(const std::string& text)>;

// Checks the configuration `documentPath` the way an execution of it would read it, on the
// simulated PC and without a single tick: with the settings files of `homeDir` (as
// FindHomeDirectory gives it; created with the shipped defaults when it does not exist at all,
// as an execution would, and `notice` told), the execution's own configuration steps, and the
// first "Bad Thing" it would stop at, at the place the stop names. Then what an execution would
// do without a word: lines that no rule reads (settings and buttons of names that no section
// has, pad sections of numbers no execution looks for, sections nothing looks for, indented
// items), key names that the home directory's keys.cfg lacks, lines read in pieces, byte-order
// marks and zero bytes, words of a value passed over, numbers read in part, an item given twice,
// Shifts naming more buttons than there are states, pins that cannot carry their line, items
// taken from another pad's circuit section, two pads on one data line, a queue that holds
// nothing and repeats that outrun the keyboard. The document keeps the name it was given; the
// home directory's files are named with its path. The error comes first, then the rest, file by
// file in line order.
std::vector<Problem> CheckConfiguration(const std::string& documentPath, const std::string& homeDir,
                                        const CheckNotice& notice = {});

}  // namespace zarvel
