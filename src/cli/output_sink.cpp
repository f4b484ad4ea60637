#include "cli/output_sink.h"

#include <limits.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zarvel {
namespace {

// How long one look for room in the output waits before it asks again whether to give up.
constexpr int kRoomPollMs = 50;

}  // namespace

int StreamSink::Write(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.flush();
  return out_ ? 0 : EIO;
}

int DescriptorSink::Write(std::string_view text) {
  while (!text.empty()) {
    if (givenUp_.load(std::memory_order_relaxed)) {
      return ECANCELED;
    }
    pollfd wanted{.fd = descriptor_, .events = POLLOUT, .revents = 0};
    const int ready = poll(&wanted, 1, kRoomPollMs);
    if (ready < 0 && errno != EINTR) {
      return errno;
    }
    if (ready <= 0) {
      continue;
    }
    // A pipe that polls writable has room for PIPE_BUF bytes, so a write of no more never
    // waits; a pipe nobody reads polls as an error, and the write then says which.
    const ssize_t written =
        write(descriptor_, text.data(), std::min<size_t>(text.size(), PIPE_BUF));
    if (written < 0) {
      if (errno == EINTR || errno == EAGAIN) {
        continue;
      }
      return errno;
    }
    text.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

}  // namespace zarvel
