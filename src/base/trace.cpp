#include "base/trace.h"

#include <cstdarg>
#include <cstring>

#include "base/format_text.h"
#include "base/trace_sink.h"

namespace zarvel {

void TracePrint(TraceState& trace, const char* format, ...) {
  if (trace.tracePaging && trace.traceLineCount >= kTracePageLines) {
    TracePause(trace);
    trace.traceLineCount -= kTracePageLines;
  }
  const size_t length = std::strlen(format);
  if (trace.traceEnabled && length > 0 && format[length - 1] == '\n') {
    ++trace.traceLineCount;
  }
  if (trace.sink != nullptr) {
    va_list arguments;
    va_start(arguments, format);
    trace.sink->Trace(FormatTextV(format, arguments));
    va_end(arguments);
  }
}

void TracePause(TraceState& /*trace*/) {}

}  // namespace zarvel
