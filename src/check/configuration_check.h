#pragma once

#include <functional>
#include <string>
#include <vector>

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
};

// Told what the check did besides checking, such as creating the home directory.
using CheckNotice = std::function<void(const std::string& text)>;

// Checks the configuration `documentPath` the way an execution of it would read it, on the
// simulated PC and without a single tick: with the settings files of `homeDir` (as
// FindHomeDirectory gives it; created with the shipped defaults when it does not exist at all,
// as an execution would, and `notice` told), the execution's own configuration steps, and the
// first "Bad Thing" it would stop at. Then every line that no rule reads: settings and buttons
// of names that no section has, pad sections of numbers no execution looks for, sections nothing
// looks for, and key names that the home directory's keys.cfg lacks, in the document, zarvel.ini
// and circuits.ini. The document keeps the name it was given; the home directory's files are
// named with its path. The error comes first, then the rest, file by file in line order.
std::vector<Problem> CheckConfiguration(const std::string& documentPath, const std::string& homeDir,
                                        const CheckNotice& notice = {});

}  // namespace zarvel
