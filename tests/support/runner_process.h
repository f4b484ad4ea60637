#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"

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

// Starts zarvel-run and sends it a signal at the first moment it has either blocked SIGHUP or
// opened `file`, whichever it does first, and waits for it.
RunnerResult RunRunnerAndSignalOnceStarted(const std::vector<std::string>& arguments, int signal,
                                           const std::string& file);

// Runs zarvel-run with standard output written to `device` (such as /dev/full), and waits for
// it; `out` stays empty.
RunnerResult RunRunnerInto(const std::vector<std::string>& arguments, const std::string& device);

// Runs zarvel-run with standard output into a pipe, reads its first line into `out` and closes
// the pipe, as `zarvel-run ... | head -1` does, and waits for it.
RunnerResult RunRunnerReadingOneLine(const std::vector<std::string>& arguments);

// A zarvel-run left running, for tests that signal it on what it has printed.
class RunningRunner {
 public:
  explicit RunningRunner(const std::vector<std::string>& arguments);
  // A runner still running is killed.
  ~RunningRunner();
  RunningRunner(const RunningRunner&) = delete;
  RunningRunner& operator=(const RunningRunner&) = delete;

  // Waits until standard output and standard error together hold `text` `count` times; false
  // when they do not within 10 seconds.
  bool WaitFor(std::string_view text, int count = 1) const;
  bool StillRunning() const;
  void Signal(int signal) const;
  // Waits for the runner to end.
  RunnerResult Finish();

 private:
  TempDir dir_;
  std::string outPath_;
  std::string errPath_;
  pid_t pid_ = -1;
};

}  // namespace zarvel::testing
