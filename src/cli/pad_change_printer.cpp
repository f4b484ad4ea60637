#include "cli/pad_change_printer.h"

#include <algorithm>
#include <utility>

#include "mapping/button_gestures.h"

namespace zarvel {

void PadChangePrinter::Print(int32_t tick, std::span<const ControlPad> pads) {
  const size_t count = std::min(pads.size(), seen_.size());
  for (size_t p = 0; p < count; ++p) {
    const ControlPad& pad = pads[p];
    const PadReading now = ReadingOf(pad);
    const PadReading seen = std::exchange(seen_[p], now);
    if (now.unplugged != seen.unplugged) {
      PrintLine(tick, p, now.unplugged ? "unplugged" : "back", nullptr);
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
      PrintLine(tick, p, name != nullptr ? name : "?", now.Pressed(b) ? "down" : "up");
    }
    // What the pad's gestures decided at this tick: "12 pad 1 l+r chord".
    if (pad.gestures) {
      const PadGestures& gestures = *pad.gestures;
      for (int32_t d = 0; d < gestures.decidedCount; ++d) {
        const GestureAction& action =
            gestures.actions[static_cast<size_t>(gestures.decided[static_cast<size_t>(d)])];
        PrintLine(tick, p, action.name.c_str(), GestureWord(action.kind));
      }
    }
  }
}

void PadChangePrinter::PrintLine(int32_t tick, size_t pad, const char* what, const char* change) {
  out_ << tick << " pad " << pad + 1 << ' ' << what;
  if (change != nullptr) {
    out_ << ' ' << change;
  }
  // Each line is flushed, as the delivered bytes are, so that a button shows when it is pressed.
  out_ << std::endl;
}

}  // namespace zarvel
