#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "cli/delivered_byte_printer.h"
#include "cli/output_sink.h"
#include "engine/report_ring.h"

namespace zarvel {

// One thing an execution reports for the runner's output, copied whole into the ring so that
// the line can be written after the execution has gone.
struct TickReport {
  // The room for a pad section's header; a longer one is cut.
  static constexpr size_t kHeaderRoom = 24;

  enum class Kind : uint8_t {
    kExecutionStarts,  // The bytes that follow are decoded afresh.
    kByte,             // `value` reached the system in `tick`.
    kButton,           // Pad `pad`'s button `name` went down (`on`) or up in `tick`.
    kPadState,         // Pad `pad` seemed unplugged (`on` false) or was back in `tick`.
    kPresence,         // The same, for standard error, with the pad's `header`.
    kGesture,          // Pad `pad`'s gesture `header` ("l+r") was decided as `name` ("chord").
  };

  Kind kind = Kind::kExecutionStarts;
  bool on = false;
  uint8_t value = 0;
  int16_t pad = 0;  // Numbered from 1 in discovery order.
  int64_t tick = 0;
  // For a pad's change with --tick-times: when the tick had read the pads, in nanoseconds of the
  // monotonic clock; 0 when the change is not timed.
  int64_t readAtNs = 0;
  const char* name = nullptr;  // A pad kind's button name, which lives as long as the program.
  std::array<char, kHeaderRoom> header{};
};

// The runner's standard output and standard error. What an execution reports while it ticks
// goes into a ring, and the runner's own output thread turns it into lines and writes them, so
// that a slow reader (a pipe, the journal) never holds up a tick. A report that finds the ring
// full is dropped, and the number dropped is said on standard error. Once the output is refused
// the output thread stops writing it and says why through Status, for the runner to end the
// execution. Standard error is written at once, by any thread, one message at a time.
class RunnerOutput {
 public:
  enum class Status : uint8_t {
    kWriting,
    kClosed,  // Nobody reads standard output any more.
    kFailed,  // Standard output refused a write; Failure says why.
  };

  // The reports that fit in the ring at once.
  static constexpr uint32_t kReportRoom = 4096;

  RunnerOutput(OutputSink& out, std::ostream& err);
  // Gives up whatever is still unwritten, without waiting for a reader.
  ~RunnerOutput();
  RunnerOutput(const RunnerOutput&) = delete;
  RunnerOutput& operator=(const RunnerOutput&) = delete;

  // Starts the output thread; false when the system would not start one.
  bool Start();

  // The execution thread (or, while none runs, the thread that starts executions): one
  // report, never waiting. False when the ring was full and the report was dropped.
  bool Report(const TickReport& report) { return ring_->Push(report); }

  // Any thread: writes `text` on standard error now.
  void WriteError(std::string_view text);

  Status CurrentStatus() const { return status_.load(std::memory_order_acquire); }
  // What the runner says when standard output refused a write.
  std::string Failure() const;

  // Waits until every report so far is written (or thrown away, once the output is refused)
  // and every drop is said. Returns false, with the rest given up, when `giveUp` says so first.
  bool Drain(const std::function<bool()>& giveUp = {});

  // Waits, at most `limit`, until the ring is no more than half full again: with virtual time
  // the runner gives its output time to keep up between ticks. It is never called in a tick.
  void WaitForRoom(std::chrono::milliseconds limit) const;

 private:
  void WriteReports();
  void WriteBatch(std::span<const TickReport> reports);
  void WriteOut(const std::string& text);
  void SayDrops();

  OutputSink& out_;
  std::ostream& err_;
  std::mutex errMutex_;
  std::unique_ptr<ReportRing<TickReport, kReportRoom>> ring_;
  std::atomic<Status> status_{Status::kWriting};
  int error_ = 0;  // Written before status_ says kFailed.
  std::atomic<uint64_t> reportsDone_{0};
  std::atomic<uint64_t> dropsSaid_{0};
  std::atomic<bool> stopping_{false};
  std::optional<std::thread> thread_;
  // Only the output thread uses these: the lines of one batch, and the decoder of the bytes,
  // which reads them in the order they arrived, a prefix with its key, from the start of each
  // execution on.
  std::ostringstream lines_;
  std::optional<DeliveredBytePrinter> printer_;
};

}  // namespace zarvel
