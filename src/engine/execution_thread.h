#pragma once

#include <chrono>
#include <functional>
#include <span>

#include "engine/process_state.h"
#include "engine/run_block.h"

namespace zarvel {

class ExecutionHost;
class PortIo;

// The whole life of one execution, run on its own thread: reset, open the settings files,
// configure, close them, then tick until `running` is cleared. An error ends it through the
// host's "Bad Thing" box; either way `finished` is set as the thread's last act.
void ExecutionThread(RunBlock& runBlock, ProcessState& state, ExecutionHost& host);

// Brings back to its start values the state that must not survive from one execution to the
// next. The [config] values, the trace count and the port's shadow bytes are kept.
void ResetExecutionState(ProcessState& state);

// Told the pads the configuration asks for, before the first one is set up.
using PadsFound = std::function<void(std::span<const PadPlace> places)>;

// Reads [config] and sets up everything the ticks need.
void ConfigureExecution(ProcessState& state, PortIo& port, const PadsFound& padsFound = {});

// Finds the pads of the execution's configuration and sets each one up, its buttons too, as
// ConfigureExecution does once [config], the key queue and the key definitions are ready; then
// works out which pads the ticks read together.
void DiscoverExecutionPads(ProcessState& state, PortIo& port, const PadsFound& padsFound = {});

// When ticks start: one period apart on the monotonic clock from the start of the tick loop, so
// the work of a tick does not lengthen the period. A tick that runs past the start of the next
// one moves the next to the first start still ahead, with no burst to catch up.
class TickSchedule {
 public:
  explicit TickSchedule(
      std::chrono::nanoseconds period,
      std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now());

  // The start of the next tick, once the one begun last has done its work at `now`.
  std::chrono::steady_clock::time_point Next(std::chrono::steady_clock::time_point now);

 private:
  std::chrono::steady_clock::duration period_;
  std::chrono::steady_clock::time_point next_;
};

// One tick: every pad read (together with the pads that share its lines, unless [config] PadRead
// says each), then each processed in discovery order, then at most one queued byte sent, or
// every queued byte when `host` takes them all, on the host's port. A pad that is unplugged or
// plugged in again, the pads once processed and every byte sent are told to `host`.
void Tick(ProcessState& state, ExecutionHost& host);

// The longest slot in which an ending execution sends one byte of the keys it lets go, in
// milliseconds: a Stop with keys held stays quick whatever the tick period.
inline constexpr int32_t kReleaseSlotMs = 1;

// Lets go of every key the bytes sent so far hold down, as the execution ends: the rest of a
// scan code whose prefix went out is sent first, the bytes still queued for keys that never
// went down are dropped, then each held key's break code goes out, the last pressed first, one
// byte a slot. No pad is read meanwhile. Slots are numbered on from `lastTick`.
void ReleaseHeldKeys(ProcessState& state, ExecutionHost& host, int64_t lastTick);

}  // namespace zarvel
