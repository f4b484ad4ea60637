#include "cli/pad_change_printer.h"

#include <algorithm>

namespace zarvel {

void PadChangePrinter::Print(int32_t tick, std::span<const ControlPad> pads) {
  const size_t count = std::min(pads.size(), seen_.size());
  for (size_t p = 0; p < count; ++p) {
    const ControlPad& pad = pads[p];
    SeenPad& seen = seen_[p];
    if (pad.unplugged != seen.unplugged) {
      seen.unplugged = pad.unplugged;
      PrintLine(tick, p, pad.unplugged ? "unplugged" : "back", nullptr);
    }
    if (pad.unplugged) {
      // The tick clears an unplugged pad's buttons; they are released without a line each, so
      // that the pad's return reports whatever it then holds.
      seen.pressed.fill(0);
      continue;
    }
    const auto buttons = static_cast<size_t>(std::clamp<int16_t>(pad.buttonCount, 0, kMaxButtons));
    for (size_t b = 0; b < buttons; ++b) {
      const uint8_t pressed = pad.raw[b] != 0 ? 1 : 0;
      if (pressed == seen.pressed[b]) {
        continue;
      }
      seen.pressed[b] = pressed;
      const char* name = pad.buttonNames[b];
      PrintLine(tick, p, name != nullptr ? name : "?", pressed != 0 ? "down" : "up");
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
