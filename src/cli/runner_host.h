#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "cli/delivered_byte_printer.h"
#include "cli/pad_change_printer.h"
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
// scan-code byte the emulated keyboard controller hands the system and, when the pads are
// monitored, one for every change of a pad as a tick reads it; nothing else.
class RunnerHost : public SessionHost {
 public:
  // The execution drives the hardware given, which the host keeps until it goes.
  RunnerHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, int64_t tickLimit, bool fast,
             bool trace, std::unique_ptr<ExecutionHardware> hardware);

  // From now on, every change of a pad's buttons or presence goes to standard output as the
  // tick reads it, before the bytes the tick sends (--monitor).
  void MonitorPads();

  void PadsProcessed(std::span<const ControlPad> pads) override;
  void SleepMs(int32_t milliseconds) override;
  // Counts the tick, and stops the execution after the last one asked for.
  void SleepUntilTick(std::chrono::steady_clock::time_point nextTick, int32_t periodMs) override;
  void PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) override;
  void ShowBadThing(const BadThing& stop) override;
  void EndProcess(const ProcessEndingStop& stop) override;
  void Trace(const std::string& text) override;

  RunnerEnding Ending() const { return ending_; }

 private:
  RunBlock& runBlock_;
  std::ostream& out_;
  std::ostream& err_;
  int64_t tickLimit_;
  bool fast_;
  bool trace_;
  int64_t ticksCompleted_ = 0;
  RunnerEnding ending_ = RunnerEnding::kNormal;
  DeliveredBytePrinter printer_;
  std::optional<PadChangePrinter> padPrinter_;  // Only while the pads are monitored.
};

}  // namespace zarvel
