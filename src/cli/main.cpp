#include <signal.h>

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/check_command.h"
#include "cli/runner.h"
#include "cli/runner_options.h"

namespace {

// SIGINT and SIGTERM are blocked in every thread and taken here, by polling, so that a signal
// stops the execution as the Stop command would instead of killing the process.
bool StopSignalArrived(const sigset_t& stopSignals) {
  const timespec noWait{0, 0};
  return sigtimedwait(&stopSignals, nullptr, &noWait) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const zarvel::ParsedOptions parsed = zarvel::ParseRunnerOptions(arguments);
  if (!parsed.options) {
    std::cerr << "zarvel-run: " << parsed.error << "\n" << zarvel::kRunnerUsage;
    return zarvel::kExitUsage;
  }
  if (parsed.options->help) {
    std::cout << zarvel::kRunnerHelp;
    return zarvel::kExitNormal;
  }
  if (parsed.options->check) {
    return zarvel::CheckConfigurationCommand(*parsed.options, std::cout, std::cerr);
  }

  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  zarvel::ProcessState state;
  return zarvel::RunConfiguration(*parsed.options, state, std::cout, std::cerr,
                                  [&] { return StopSignalArrived(stopSignals); });
}
