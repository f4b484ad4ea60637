#pragma once

#include <ostream>

#include "cli/runner_options.h"
#include "platform/linux/system_calls.h"

namespace zarvel {

// zarvel-run --check: checks the configuration of the options, with the home directory they
// name (or the usual one), on the simulated PC whatever hardware they choose. Prints every
// problem on `out` as "FILE:LINE: message" (as compilers do, so that editors can jump to it;
// "FILE: message" for a problem of a whole file) and what the check did besides on `err`.
// Returns 0 when there is no problem and 3 otherwise. A home it makes or completes through
// `calls` is the user's when it runs through sudo, as with every other run.
int CheckConfigurationCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err);
int CheckConfigurationCommand(const RunnerOptions& options, std::ostream& out, std::ostream& err,
                              SystemCalls& calls);

}  // namespace zarvel
