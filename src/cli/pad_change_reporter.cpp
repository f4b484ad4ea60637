#include "cli/pad_change_reporter.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "mapping/button_gestures.h"

namespace zarvel {

void PadChangeReporter::Report(int64_t tick, std::span<const ControlPad> pads) {
  const size_t count = std::min(pads.size(), seen_.size());
  // The pads have been read and processed when the tick gets here. The clock's reading costs a
  // few tens of nanoseconds and neither allocates nor waits; on Linux the steady clock is
  // CLOCK_MONOTONIC.
  const int64_t readAtNs = timed_ ? std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count()
                                  : 0;
  for (size_t p = 0; p < count; ++p) {
    const ControlPad& pad = pads[p];
    const PadReading now = ReadingOf(pad);
    const PadReading seen = std::exchange(seen_[p], now);
    const auto number = static_cast<int16_t>(p + 1);
    if (now.unplugged != seen.unplugged) {
      output_.Report({.kind = TickReport::Kind::kPadState,
                      .on = !now.unplugged,
                      .pad = number,
                      .tick = tick,
                      .readAtNs = readAtNs});
    }
    // The tick clears an unplugged pad's buttons; they are released without a line each, so
    // that the pad's return reports whatever it then holds.
    if (now.unplugged) {
      continue;
    }
    const uint32_t changed = now.pressed ^ seen.pressed;
    for (int b = 0; b < pad.buttonCount; ++b) {
      if ((changed >> b & 1u) == 0) {
        continue;
      }
      const char* name = pad.buttonNames[static_cast<size_t>(b)];
      output_.Report({.kind = TickReport::Kind::kButton,
                      .on = now.Pressed(b),
                      .pad = number,
                      .tick = tick,
                      .readAtNs = readAtNs,
                      .name = name != nullptr ? name : "?"});
    }
    // What the pad's gestures decided at this tick: "12 pad 1 l+r chord".
    if (pad.gestures) {
      const PadGestures& gestures = *pad.gestures;
      for (int32_t d = 0; d < gestures.decidedCount; ++d) {
        const GestureAction& action =
            gestures.actions[static_cast<size_t>(gestures.decided[static_cast<size_t>(d)])];
        // The gesture's name is copied: the pad's gestures go with the execution, and the
        // line may be written after it.
        TickReport report{.kind = TickReport::Kind::kGesture,
                          .pad = number,
                          .tick = tick,
                          .readAtNs = readAtNs,
                          .name = GestureWord(action.kind)};
        std::copy_n(action.name.begin(), std::min(action.name.size(), report.header.size() - 1),
                    report.header.begin());
        output_.Report(report);
      }
    }
  }
}

}  // namespace zarvel
