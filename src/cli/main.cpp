#include <signal.h>
#include <unistd.h>

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/autostart_file.h"
#include "cli/check_command.h"
#include "cli/output_sink.h"
#include "cli/runner.h"
#include "cli/runner_options.h"

namespace {

// SIGINT, SIGTERM and SIGHUP are blocked in every thread and taken here, by polling, so that a
// signal stops (or reloads) the execution as the Stop command would instead of killing the
// process.
sigset_t RunnerSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  return signals;
}

// They are blocked before anything else of the program runs (the libraries' start-up, static
// objects and main), so that one sent as the runner starts waits for it as any later one does.
void BlockRunnerSignals(int, char**, char**) {
  const sigset_t signals = RunnerSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}
__attribute__((section(".preinit_array"),
               used)) constexpr void (*kBlockFirst)(int, char**, char**) = BlockRunnerSignals;

zarvel::RunnerRequest SignalRequest(const sigset_t& signals) {
  const timespec noWait{0, 0};
  switch (sigtimedwait(&signals, nullptr, &noWait)) {
    case SIGINT:
    case SIGTERM:
      return zarvel::RunnerRequest::kStop;
    case SIGHUP:
      return zarvel::RunnerRequest::kReload;
    default:
      return zarvel::RunnerRequest::kNone;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away (`zarvel-run ... | head -1`) is an error of the write, which stops
  // the execution as Stop does, instead of a signal that kills the process with a key down.
  signal(SIGPIPE, SIG_IGN);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  zarvel::ParsedOptions parsed = zarvel::ParseRunnerOptions(arguments);
  if (!parsed.options) {
    std::cerr << "zarvel-run: " << parsed.error << "\n" << zarvel::kRunnerUsage;
    return zarvel::kExitUsage;
  }
  if (parsed.options->help) {
    std::cout << zarvel::kRunnerHelp;
    return zarvel::kExitNormal;
  }
  if (!parsed.options->autostart.empty()) {
    if (std::optional<std::string> error = zarvel::ApplyAutostart(*parsed.options)) {
      std::cerr << "zarvel-run: " << *error << "\n";
      return zarvel::kExitUsage;
    }
  }
  const sigset_t signals = RunnerSignals();
  if (parsed.options->check) {
    // A check holds no keys and no hardware: any of the signals simply ends it.
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
    return zarvel::CheckConfigurationCommand(*parsed.options, std::cout, std::cerr);
  }

  zarvel::ProcessState state;
  zarvel::DescriptorSink out(STDOUT_FILENO);
  return zarvel::RunConfiguration(*parsed.options, state, out, std::cerr,
                                  [&] { return SignalRequest(signals); });
}
