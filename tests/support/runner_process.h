#pragma once

#include <string>
#include <vector>

namespace zarvel::testing {

// What one run of the zarvel-run binary printed and how it ended.
struct RunnerResult {
  int status = -1;
  std::string out;
  std::string err;
};

// A run that has not ended after 30 seconds is killed (its status is then 128 + SIGKILL).

// Runs the built zarvel-run with the given arguments and an environment of its own
// (ZARVEL_HOME unset unless given), started in `workingDirectory` when one is given, and
// waits for it.
RunnerResult RunRunner(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {},
                       const std::string& workingDirectory = {});

// Starts zarvel-run, sends it a signal once `delayMs` have passed, and waits for it.
RunnerResult RunRunnerAndSignal(const std::vector<std::string>& arguments, int signal, int delayMs);

}  // namespace zarvel::testing
