#pragma once

#include <cstdint>

namespace zarvel {

class TraceSink;

// The progress trace of the configuration steps. Its pager count is the only state it keeps;
// the texts go to the sink, which shows them only when asked to (the runner's --trace).
struct TraceState {
  bool traceEnabled = false;
  bool tracePaging = false;
  // The pager count starts at 12 when the program starts and is never reset.
  int32_t traceLineCount = 12;
  // Where the texts go; set by the execution thread for the length of one execution. Without
  // a sink the texts go nowhere.
  TraceSink* sink = nullptr;
};

// How many counted lines fit a page before the pager pauses.
inline constexpr int32_t kTracePageLines = 25;

void TracePrint(TraceState& trace, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The pager's pause hook. It does nothing: nobody reads the trace a page at a time.
void TracePause(TraceState& trace);

}  // namespace zarvel
