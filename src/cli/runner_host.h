#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "cli/delivered_byte_printer.h"
#include "engine/run_block.h"
#include "platform/execution_hardware.h"
#include "session/session_host.h"

namespace zarvel {

// How an execution started by the runner ended, as far as the host could see.
enum class RunnerEnding : uint8_t { kNormal, kBadThing, kProcessEnded };

// The runner's services for one execution: its hardware (the simulated PC unless real back ends
// were chosen), a clock that counts the ticks
// (and stops the execution after the last one asked for, as the Stop command would), and
// standard error for everything the user must read. Standard output gets one line for every
// scan-code byte the emulated keyboard controller hands the system, and nothing else.
class RunnerHost : public SessionHost {
 public:
  // The execution drives the hardware given, which the host keeps until it goes.
  RunnerHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, int64_t tickLimit, bool fast,
             bool trace, std::unique_ptr<ExecutionHardware> hardware);

  void SleepMs(int32_t milliseconds) override;
  // Counts the tick, and stops the execution after the last one asked for.
  void SleepUntilTick(std::chrono::steady_clock::time_point nextTick, int32_t periodMs) override;
  void PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) override;
  void ShowBadThing(const std::string& message) override;
  void EndProcess(const std::string& message) override;
  void Trace(const std::string& text) override;

  RunnerEnding Ending() const { return ending_; }

 private:
  RunBlock& runBlock_;
  std::ostream& err_;
  int64_t tickLimit_;
  bool fast_;
  bool trace_;
  int64_t ticksCompleted_ = 0;
  RunnerEnding ending_ = RunnerEnding::kNormal;
  DeliveredBytePrinter printer_;
};

}  // namespace zarvel
