#pragma once

#include <atomic>
#include <ostream>
#include <string_view>

namespace zarvel {

// Where the runner's standard output goes. Only the runner's output thread writes to it.
class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // Writes all of `text` and returns 0, or the system's error number when it could not:
  // EPIPE once nobody reads any more, ECANCELED once the runner has given up waiting.
  virtual int Write(std::string_view text) = 0;

  // Asks a write that waits for a reader to give up; it may be called from any thread, and
  // every later write gives up at once.
  virtual void GiveUp() {}
};

// A stream, for tests and for output that is never refused.
class StreamSink : public OutputSink {
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  int Write(std::string_view text) override;

 private:
  std::ostream& out_;
};

// A file descriptor, written with the system's own calls so that its errors keep their
// number. A write waits for the reader only in short polls, so that GiveUp is heard even when
// the reader never reads again.
class DescriptorSink : public OutputSink {
 public:
  explicit DescriptorSink(int descriptor) : descriptor_(descriptor) {}
  int Write(std::string_view text) override;
  void GiveUp() override { givenUp_.store(true, std::memory_order_relaxed); }

 private:
  int descriptor_;
  std::atomic<bool> givenUp_{false};
};

}  // namespace zarvel
