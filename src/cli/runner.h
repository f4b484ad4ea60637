#pragma once

#include <functional>
#include <ostream>

#include "cli/runner_options.h"
#include "engine/process_state.h"
#include "platform/hardware_factory.h"

namespace zarvel {

// Exit statuses of zarvel-run.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitProcessEnded = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitBadThing = 3;

// Asked now and then while an execution runs; true once the user wants it stopped.
using StopRequested = std::function<bool()>;

// Runs one execution of the configuration as the editor's Execute command would: the
// document's directory becomes the current directory, its full path goes to the execution.
// Waits for the execution to end and returns the runner's exit status.
// The hardware is the one the options choose, reached through the system's real calls.
int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const StopRequested& stopRequested);

// The same, with the hardware made by `factory` (tests give it fake system calls). The
// options' hardware choice is the factory's.
int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const StopRequested& stopRequested,
                     HardwareFactory& factory);

}  // namespace zarvel
