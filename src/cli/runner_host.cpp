#include "cli/runner_host.h"

#include "cli/cp437.h"
#include "platform/thread_services.h"

namespace zarvel {
namespace {

void WriteLine(std::ostream& out, const std::string& text) {
  out << text;
  if (text.empty() || text.back() != '\n') {
    out << '\n';
  }
  out.flush();
}

}  // namespace

RunnerHost::RunnerHost(RunBlock& runBlock, std::ostream& out, std::ostream& err, int64_t tickLimit,
                       bool fast, bool trace, std::unique_ptr<ExecutionHardware> hardware)
    : SessionHost(std::move(hardware)),
      runBlock_(runBlock),
      out_(out),
      err_(err),
      tickLimit_(tickLimit),
      fast_(fast),
      trace_(trace),
      printer_(out) {
  Hardware().SetDeliveryListener(
      [this](int32_t tick, uint8_t byte) { printer_.Print(tick, byte); });
}

void RunnerHost::MonitorPads() {
  padPrinter_.emplace(out_);
}

void RunnerHost::PadsProcessed(std::span<const ControlPad> pads) {
  SessionHost::PadsProcessed(pads);
  if (padPrinter_) {
    padPrinter_->Print(TickUnderWay(), pads);
  }
}

void RunnerHost::SleepMs(int32_t milliseconds) {
  if (!fast_) {
    SleepMilliseconds(milliseconds);
  }
}

void RunnerHost::SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                                int32_t /*periodMs*/) {
  ++ticksCompleted_;
  if (tickLimit_ > 0 && ticksCompleted_ >= tickLimit_) {
    // The last tick asked for is done: stop as the Stop command would. There is no point in
    // sleeping out the period first, since nothing follows it.
    runBlock_.running = 0;
    return;
  }
  if (!fast_) {
    SleepUntil(nextTick);
  }
}

void RunnerHost::PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) {
  WriteLine(err_, "zarvel-run: " + PadPresenceText(pad, header, plugged));
}

void RunnerHost::ShowBadThing(const BadThing& stop) {
  ending_ = RunnerEnding::kBadThing;
  WriteLine(err_, "Bad Thing: " + std::string(stop.what()));
}

void RunnerHost::EndProcess(const ProcessEndingStop& stop) {
  // The runner ends the process once the execution thread has unwound, with status 1.
  ending_ = RunnerEnding::kProcessEnded;
  WriteLine(err_, stop.what());
}

void RunnerHost::Trace(const std::string& text) {
  if (trace_) {
    err_ << Cp437ToUtf8(text);
    err_.flush();
  }
}

}  // namespace zarvel
