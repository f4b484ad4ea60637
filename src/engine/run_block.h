#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace zarvel {

// The one record that the host and an execution share. The host fills `path` and `homeDir`
// before it starts the execution thread; afterwards the two flags are the whole protocol:
// the host writes `running` (1 to start, 0 to ask for a stop) and the thread writes
// `finished` = 1 as its very last act. The flags are atomic bytes so that each side sees the
// other's write; the protocol itself is plain polling, with no lock or event.
struct RunBlock {
  std::string path;         // Full path name of the configuration document to execute.
  std::string homeDir;      // The home directory, ending with "/".
  uint64_t generation = 0;  // Counts the executions started on this run block, from 1.
  std::atomic<uint8_t> running{0};
  std::atomic<uint8_t> finished{1};
  // Set by the thread once the configuration is read and before the first tick: until then no
  // key has been sent, so a host may end the process itself rather than wait for a long read.
  std::atomic<uint8_t> configured{0};
};

}  // namespace zarvel
