#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

#include "cli/output_sink.h"
#include "cli/runner_options.h"
#include "engine/process_state.h"
#include "platform/hardware_factory.h"

namespace zarvel {

// Exit statuses of zarvel-run.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitProcessEnded = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitBadThing = 3;

// What the user asks of the runner while it runs (by a signal, in the program).
enum class RunnerRequest : uint8_t {
  kNone,
  kStop,    // End the execution as the Stop command would, and the runner with it.
  kReload,  // End the execution as Stop would, read the configuration again and start it.
};

// Asked now and then while an execution runs or the runner waits for a reload.
using RequestPoll = std::function<RunnerRequest()>;

// Runs the configuration as the editor's Execute command would: its full path goes to the
// execution, and the current directory stays as it is. Waits for the execution
// to end and returns the runner's exit status. A reload request ends the running execution
// and starts the configuration again, as Execute would. After a reload, and from the start with
// --autostart, an execution that ends with a Bad Thing, or with one of the checks that end the
// process, leaves the runner waiting for the next reload (or a stop) instead of ending it.
// Standard output is written by an output thread of its own, so a slow reader never holds up
// a tick; once nobody reads it any more the execution stops as Stop does (status 0), and an
// output that refuses a write stops it too and ends the runner with status 1.
// The hardware is the one the options choose, reached through the system's real calls.
int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const RequestPoll& requests);

// The same, with standard output written through `out` (the runner's own descriptor).
int RunConfiguration(const RunnerOptions& options, ProcessState& state, OutputSink& out,
                     std::ostream& err, const RequestPoll& requests);

// The same, with the hardware made by `factory` (tests give it fake system calls). The
// options' hardware choice is the factory's.
int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const RequestPoll& requests, HardwareFactory& factory);
int RunConfiguration(const RunnerOptions& options, ProcessState& state, OutputSink& out,
                     std::ostream& err, const RequestPoll& requests, HardwareFactory& factory);

}  // namespace zarvel
