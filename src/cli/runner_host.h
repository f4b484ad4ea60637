#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "cli/output_sink.h"
#include "cli/pad_change_reporter.h"
#include "cli/runner_output.h"
#include "engine/run_block.h"
#include "platform/execution_hardware.h"
#include "session/session_host.h"

namespace zarvel {

// How an execution started by the runner ended, as far as the host could see.
enum class RunnerEnding : uint8_t { kNormal, kBadThing, kProcessEnded };

// The runner's services for one execution: its hardware (the simulated PC unless real back ends
// were chosen), a clock that counts the ticks (and stops the execution after the last one asked
// for, as the Stop command would), and the runner's output. Standard output gets one line for
// every scan-code byte the emulated keyboard controller hands the system and, when the pads are
// monitored, one for every change of a pad as a tick reads it; nothing else. The tick only
// reports them: the runner's output thread writes them. Standard error gets everything the
// user must read.
class RunnerHost : public SessionHost {
 public:
  // The execution drives the hardware given, which the host keeps until it goes, and its lines
  // go to `output`, which outlives the host.
  RunnerHost(RunBlock& runBlock, RunnerOutput& output, int64_t tickLimit, bool fast, bool trace,
             std::unique_ptr<ExecutionHardware> hardware);
  // The same with an output of the host's own on the streams given, written out in full by the
  // time the execution has ended (for tests that read the streams then).
  RunnerHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, int64_t tickLimit, bool fast,
             bool trace, std::unique_ptr<ExecutionHardware> hardware);
  ~RunnerHost() override;

  // From now on, every change of a pad's buttons or presence goes to standard output as the
  // tick reads it, before the bytes the tick sends (--monitor); `timed`, each with the
  // monotonic time at which its tick had read the pads (--tick-times).
  void MonitorPads(bool timed = false);

  void PadsProcessed(std::span<const ControlPad> pads) override;
  void SleepMs(int32_t milliseconds) override;
  // Counts the tick, and stops the execution after the last one asked for.
  void SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                      std::chrono::nanoseconds period) override;
  void PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) override;
  void ShowBadThing(const BadThing& stop) override;
  void EndProcess(const ProcessEndingStop& stop) override;
  void Trace(const std::string& text) override;
  void Ended() override;

  RunnerEnding Ending() const { return ending_; }

 private:
  // The host's own output, when it was given streams.
  struct OwnOutput {
    OwnOutput(std::ostream& out, std::ostream& err) : sink(out), output(sink, err) {}
    StreamSink sink;
    RunnerOutput output;
  };

  RunnerHost(RunBlock& runBlock, std::unique_ptr<OwnOutput> own, RunnerOutput* output,
             int64_t tickLimit, bool fast, bool trace, std::unique_ptr<ExecutionHardware> hardware);

  std::unique_ptr<OwnOutput> own_;
  RunBlock& runBlock_;
  RunnerOutput& output_;
  int64_t tickLimit_;
  bool fast_;
  bool trace_;
  int64_t ticksCompleted_ = 0;
  RunnerEnding ending_ = RunnerEnding::kNormal;
  std::optional<PadChangeReporter> padReporter_;  // Only while the pads are monitored.
};

}  // namespace zarvel
