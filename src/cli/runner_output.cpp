#include "cli/runner_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <vector>

#include "cli/delivered_byte_printer.h"
#include "platform/thread_services.h"
#include "session/session_host.h"

namespace zarvel {
namespace {

// How long the output thread sleeps when the ring is empty, in milliseconds: a key's line
// shows at most this much after the tick that typed it.
constexpr int32_t kWriterPollMs = 2;
// Once the ring has stayed empty this long, the output thread looks only every
// kIdleWriterPollMs, so idle pads do not cost five hundred wake-ups a second beside the
// ticks'. The first report after a quiet spell waits at most that long; ten milliseconds of
// nine pads' reports at a thousand ticks a second still fit the ring.
constexpr int32_t kQuietAfterMs = 100;
constexpr int32_t kIdleWriterPollMs = 10;
// How long a wait for the output thread sleeps between its looks, in microseconds.
constexpr auto kWaitPoll = std::chrono::microseconds(200);
// The reports the output thread takes from the ring at once.
constexpr size_t kBatch = 256;
// Nanoseconds in a second, for writing a time as seconds.
constexpr int64_t kNsPerSecond = 1'000'000'000;

// Ends the line of a pad's change, with the time its tick read the pads when it was timed:
// seconds to the nanosecond, " 512.000250117".
void EndChangeLine(std::ostringstream& lines, int64_t readAtNs) {
  if (readAtNs != 0) {
    const char fill = lines.fill('0');
    lines << ' ' << readAtNs / kNsPerSecond << '.' << std::setw(9) << readAtNs % kNsPerSecond;
    lines.fill(fill);
  }
  lines << '\n';
}

}  // namespace

RunnerOutput::RunnerOutput(OutputSink& out, std::ostream& err)
    : out_(out), err_(err), ring_(std::make_unique<ReportRing<TickReport, kReportRoom>>()) {
  printer_.emplace(lines_);
}

RunnerOutput::~RunnerOutput() {
  stopping_.store(true, std::memory_order_release);
  out_.GiveUp();
  if (thread_ && thread_->joinable()) {
    thread_->join();
  }
}

bool RunnerOutput::Start() {
  thread_ = StartThread([this] { WriteReports(); });
  return thread_.has_value();
}

void RunnerOutput::WriteError(std::string_view text) {
  const std::lock_guard lock(errMutex_);
  err_ << text;
  err_.flush();
}

std::string RunnerOutput::Failure() const {
  return std::string("could not write standard output: ") + std::strerror(error_);
}

bool RunnerOutput::Drain(const std::function<bool()>& giveUp) {
  for (;;) {
    const bool done = reportsDone_.load(std::memory_order_acquire) == ring_->Written() &&
                      dropsSaid_.load(std::memory_order_acquire) == ring_->Dropped();
    if (done || !thread_) {
      return true;
    }
    if (giveUp && giveUp()) {
      out_.GiveUp();
      return false;
    }
    std::this_thread::sleep_for(kWaitPoll);
  }
}

void RunnerOutput::WaitForRoom(std::chrono::milliseconds limit) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (thread_ && ring_->Held() > kReportRoom / 2 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kWaitPoll);
  }
}

void RunnerOutput::WriteReports() {
  std::vector<TickReport> batch(kBatch);
  int32_t quietMs = 0;
  for (;;) {
    const size_t count = ring_->Pop(batch);
    if (count > 0) {
      WriteBatch(std::span<const TickReport>(batch.data(), count));
      reportsDone_.fetch_add(count, std::memory_order_release);
      quietMs = 0;
    }
    SayDrops();
    if (count == 0) {
      if (stopping_.load(std::memory_order_acquire)) {
        return;
      }
      const int32_t sleepMs = quietMs >= kQuietAfterMs ? kIdleWriterPollMs : kWriterPollMs;
      SleepMilliseconds(sleepMs);
      quietMs = std::min(quietMs + sleepMs, kQuietAfterMs);
    }
  }
}

void RunnerOutput::WriteBatch(std::span<const TickReport> reports) {
  std::ostringstream& lines = lines_;
  for (const TickReport& report : reports) {
    switch (report.kind) {
      case TickReport::Kind::kExecutionStarts:
        printer_.emplace(lines_);
        break;
      case TickReport::Kind::kByte:
        printer_->Print(report.tick, report.value);
        break;
      case TickReport::Kind::kButton:
        lines << report.tick << " pad " << report.pad << ' ' << report.name
              << (report.on ? " down" : " up");
        EndChangeLine(lines, report.readAtNs);
        break;
      case TickReport::Kind::kPadState:
        lines << report.tick << " pad " << report.pad << (report.on ? " back" : " unplugged");
        EndChangeLine(lines, report.readAtNs);
        break;
      case TickReport::Kind::kGesture:
        lines << report.tick << " pad " << report.pad << ' '
              << std::string_view(report.header.data(),
                                  strnlen(report.header.data(), report.header.size()))
              << ' ' << report.name;
        EndChangeLine(lines, report.readAtNs);
        break;
      case TickReport::Kind::kPresence: {
        // What went to standard output before it goes first.
        WriteOut(lines.str());
        lines.str({});
        const std::string header(report.header.data(),
                                 strnlen(report.header.data(), report.header.size()));
        WriteError("zarvel-run: " + PadPresenceText(report.pad, header, report.on) + "\n");
        break;
      }
    }
  }
  WriteOut(lines.str());
  lines.str({});
}

void RunnerOutput::WriteOut(const std::string& text) {
  if (text.empty() || CurrentStatus() != Status::kWriting) {
    return;
  }
  const int error = out_.Write(text);
  if (error == 0) {
    return;
  }
  if (error == EPIPE || error == ECANCELED) {
    status_.store(Status::kClosed, std::memory_order_release);
    return;
  }
  error_ = error;
  status_.store(Status::kFailed, std::memory_order_release);
}

void RunnerOutput::SayDrops() {
  const uint64_t dropped = ring_->Dropped();
  const uint64_t said = dropsSaid_.load(std::memory_order_relaxed);
  if (dropped == said) {
    return;
  }
  WriteError("zarvel-run: " + std::to_string(dropped - said) +
             " lines of output were dropped: standard output was not read in time\n");
  dropsSaid_.store(dropped, std::memory_order_release);
}

}  // namespace zarvel
