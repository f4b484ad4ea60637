#include "engine/pad_layout.h"

#include <algorithm>

#include "config/pad_sections.h"
#include "hardware/game_pads.h"
#include "pads/button_encoding.h"

namespace zarvel {

std::string PadLayout::ShiftStateText(int state) const {
  std::string text = "state " + std::to_string(state);
  if (state > 0 && static_cast<size_t>(state) <= shiftButtons.size()) {
    text += ": " + shiftButtons[static_cast<size_t>(state - 1)];
  }
  return text;
}

int PadLayout::ButtonIndex(const std::string& name) const {
  for (size_t i = 0; i < buttonNames.size(); ++i) {
    if (buttonNames[i] == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::vector<PadLayout> LayoutOfPads(std::span<const ControlPad> pads) {
  std::vector<PadLayout> layouts;
  for (const ControlPad& pad : pads) {
    PadLayout layout;
    layout.header = pad.header;
    if (pad.kindName != nullptr) {
      layout.kind = pad.kindName;
    } else {
      layout.kind = pad.buttonCount == kSnesButtonCount ? kSnesSectionName : kNesSectionName;
    }
    for (int16_t button = 0; button < pad.buttonCount; ++button) {
      const char* name = pad.buttonNames[static_cast<size_t>(button)];
      layout.buttonNames.emplace_back(name != nullptr ? name : "");
    }
    const int shifts = std::clamp<int>(pad.numShifts, 0, kMaxShiftButtons);
    for (int k = 0; k < shifts; ++k) {
      const int button = pad.shiftButtons[static_cast<size_t>(k)];
      if (button < 0 || button >= pad.buttonCount) {
        // Every state keeps its place, so the ones after it are still named right.
        layout.shiftButtons.emplace_back();
        continue;
      }
      const bool latches = (pad.toggle[static_cast<size_t>(button)] & kToggleLatches) != 0;
      layout.shiftButtons.push_back((latches ? "toggle " : "") +
                                    layout.buttonNames[static_cast<size_t>(button)]);
    }
    layouts.push_back(std::move(layout));
  }
  return layouts;
}

}  // namespace zarvel
