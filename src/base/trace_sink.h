#pragma once

#include <string>

namespace zarvel {

// Where the texts of the configuration trace go. The trace itself only counts lines for its
// pager; whoever runs an execution decides whether the texts are shown, and where.
class TraceSink {
 public:
  virtual ~TraceSink() = default;

  // One text of the trace, formatted, as the step that wrote it gave it.
  virtual void Trace(const std::string& text) = 0;
};

}  // namespace zarvel
