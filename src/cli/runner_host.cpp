#include "cli/runner_host.h"

#include <algorithm>
#include <cstring>

#include "cli/cp437.h"
#include "platform/thread_services.h"

namespace zarvel {
namespace {

// With virtual time, how long the sleep between two ticks gives the output thread at most to
// catch up with what the ticks reported, in milliseconds. A reader that stops reading then
// slows the ticks down to this, and its lines are dropped, but nothing waits for it.
constexpr auto kVirtualCatchUp = std::chrono::milliseconds(10);

std::string Line(const std::string& text) {
  return text.empty() || text.back() != '\n' ? text + "\n" : text;
}

}  // namespace

RunnerHost::RunnerHost(RunBlock& runBlock, RunnerOutput& output, int64_t tickLimit, bool fast,
                       bool trace, std::unique_ptr<ExecutionHardware> hardware)
    : RunnerHost(runBlock, nullptr, &output, tickLimit, fast, trace, std::move(hardware)) {}

RunnerHost::RunnerHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, int64_t tickLimit,
                       bool fast, bool trace, std::unique_ptr<ExecutionHardware> hardware)
    : RunnerHost(runBlock, std::make_unique<OwnOutput>(out, err), nullptr, tickLimit, fast, trace,
                 std::move(hardware)) {}

RunnerHost::RunnerHost(RunBlock& runBlock, std::unique_ptr<OwnOutput> own, RunnerOutput* output,
                       int64_t tickLimit, bool fast, bool trace,
                       std::unique_ptr<ExecutionHardware> hardware)
    : SessionHost(std::move(hardware)),
      own_(std::move(own)),
      runBlock_(runBlock),
      output_(own_ ? own_->output : *output),
      tickLimit_(tickLimit),
      fast_(fast),
      trace_(trace) {
  if (own_ && !own_->output.Start()) {
    output_.WriteError("zarvel-run: could not start the output thread\n");
  }
  output_.Report({.kind = TickReport::Kind::kExecutionStarts});
  Hardware().SetDeliveryListener([this](int64_t tick, uint8_t byte) {
    output_.Report({.kind = TickReport::Kind::kByte, .value = byte, .tick = tick});
  });
}

RunnerHost::~RunnerHost() = default;

void RunnerHost::MonitorPads(bool timed) {
  padReporter_.emplace(output_, timed);
}

void RunnerHost::PadsProcessed(std::span<const ControlPad> pads) {
  SessionHost::PadsProcessed(pads);
  if (padReporter_) {
    padReporter_->Report(TickUnderWay(), pads);
  }
}

void RunnerHost::SleepMs(int32_t milliseconds) {
  if (fast_) {
    output_.WaitForRoom(kVirtualCatchUp);
  } else {
    SleepMilliseconds(milliseconds);
  }
}

void RunnerHost::SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                                std::chrono::nanoseconds /*period*/) {
  ++ticksCompleted_;
  if (tickLimit_ > 0 && ticksCompleted_ >= tickLimit_) {
    // The last tick asked for is done: stop as the Stop command would. There is no point in
    // sleeping out the period first, since nothing follows it.
    runBlock_.running = 0;
    return;
  }
  if (fast_) {
    output_.WaitForRoom(kVirtualCatchUp);
  } else {
    SleepUntil(nextTick);
  }
}

void RunnerHost::PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) {
  // Called in the tick: the header is copied into the report, cut to its room, without
  // allocating.
  TickReport report{.kind = TickReport::Kind::kPresence,
                    .on = plugged,
                    .pad = static_cast<int16_t>(pad),
                    .tick = TickUnderWay()};
  std::memcpy(report.header.data(), header.data(),
              std::min(header.size(), report.header.size() - 1));
  output_.Report(report);
}

void RunnerHost::ShowBadThing(const BadThing& stop) {
  ending_ = RunnerEnding::kBadThing;
  output_.WriteError(Line("Bad Thing: " + std::string(stop.what())));
}

void RunnerHost::EndProcess(const ProcessEndingStop& stop) {
  // The runner ends the process once the execution thread has unwound, with status 1, unless
  // it waits for a reload.
  ending_ = RunnerEnding::kProcessEnded;
  output_.WriteError(Line(stop.what()));
}

void RunnerHost::Trace(const std::string& text) {
  if (trace_) {
    output_.WriteError(Cp437ToUtf8(text));
  }
}

void RunnerHost::Ended() {
  SessionHost::Ended();
  if (own_) {
    own_->output.Drain();
  }
}

}  // namespace zarvel
