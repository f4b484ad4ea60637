#include "cli/runner.h"

#include <filesystem>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "engine/run_block.h"
#include "platform/home_directory.h"
#include "platform/sim/pad_script.h"
#include "platform/thread_services.h"

namespace zarvel {
namespace {

// How often the waiting runner looks for a stop request, in milliseconds.
constexpr int32_t kStopPollPeriod = 10;

// Finds the home directory and fills it with the defaults when it does not exist yet.
bool PrepareHome(const RunnerOptions& options, std::ostream& err, std::string& homeDir) {
  homeDir = FindHomeDirectory(options.home);
  if (homeDir.empty()) {
    err << "zarvel-run: no home directory: give --home DIR or set ZARVEL_HOME\n";
    return false;
  }
  const SeedResult seeded = SeedHomeDirectory(homeDir);
  if (seeded.error) {
    err << "zarvel-run: could not create the home directory " << homeDir << ": " << *seeded.error
        << "\n";
    return false;
  }
  if (seeded.created) {
    err << "zarvel-run: created the home directory " << homeDir
        << " with the default zarvel.ini, circuits.ini and keys.cfg\n";
  }
  return true;
}

}  // namespace

int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const StopRequested& stopRequested) {
  LinuxSystemCalls calls;
  LibevdevCalls evdev;
  HardwareFactory factory(options.hardware, calls, evdev, [&err](const std::string& text) {
    err << "zarvel-run: " << text << "\n";
  });
  return RunConfiguration(options, state, out, err, stopRequested, factory);
}

int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const StopRequested& stopRequested,
                     HardwareFactory& factory) {
  namespace fs = std::filesystem;
  // The script is read first: its name is relative to the directory the runner was started in,
  // and a script that cannot be used is the command line's fault, like any other usage error.
  PadScript script;
  if (!options.script.empty()) {
    ParsedPadScript parsed = LoadPadScript(options.script);
    if (!parsed.script) {
      err << "zarvel-run: " << parsed.error << "\n";
      return kExitUsage;
    }
    script = std::move(*parsed.script);
  }

  RunBlock runBlock;
  if (!PrepareHome(options, err, runBlock.homeDir)) {
    return kExitProcessEnded;
  }

  std::error_code error;
  const fs::path document = fs::absolute(options.configPath, error);
  // As the Execute command does, the document's directory becomes the current directory, so
  // the fallback name "./zarvel/..." is looked for beside the document. The result is not
  // examined: a document that does not exist is reported by the execution itself.
  fs::current_path(document.parent_path(), error);
  runBlock.path = document.string();

  // The hardware is had before the execution starts, so a missing device or privilege is
  // refused before anything runs.
  HardwareFactory::Opened hardware =
      factory.Open(runBlock.path, runBlock.homeDir, std::move(script));
  if (!hardware.hardware) {
    err << "zarvel-run: " << hardware.error << "\n";
    return kExitProcessEnded;
  }
  RunnerHost host(runBlock, out, err, options.tickLimit, options.fast, options.trace,
                  std::move(hardware.hardware));
  runBlock.running = 1;
  runBlock.finished = 0;
  std::optional<std::thread> thread = StartThread([&] { ExecutionThread(runBlock, state, host); });
  if (!thread) {
    runBlock.running = 0;
    runBlock.finished = 1;
    err << "zarvel-run: could not start the execution thread\n";
    return kExitProcessEnded;
  }

  // Waits as the Stop command does: once a stop is asked for, `running` is cleared and the
  // execution ends after its current step or tick.
  while (runBlock.finished == 0) {
    if (runBlock.running == 1 && stopRequested && stopRequested()) {
      runBlock.running = 0;
    }
    SleepMilliseconds(kStopPollPeriod);
  }
  thread->join();

  switch (host.Ending()) {
    case RunnerEnding::kBadThing:
      return kExitBadThing;
    case RunnerEnding::kProcessEnded:
      return kExitProcessEnded;
    case RunnerEnding::kNormal:
      break;
  }
  return kExitNormal;
}

}  // namespace zarvel
