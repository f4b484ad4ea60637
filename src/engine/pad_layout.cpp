#include "engine/pad_layout.h"

#include <algorithm>

#include "config/pad_sections.h"
#include "config/settings_files.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "hardware/game_pads.h"
#include "mapping/button_configuration.h"
#include "mapping/button_gestures.h"
#include "pads/button_encoding.h"
#include "pads/pad_kind.h"

namespace zarvel {
namespace {

// The keys a label shows as a mark before the key they change, rather than by name.
struct ModifierMark {
  std::string_view key;
  std::string_view mark;
};
constexpr ModifierMark kModifierMarks[] = {
    {"lshift", "\u21e7"}, {"rshift", "\u21e7"}, {"lctrl", "^"},
    {"rctrl", "^"},       {"lalt", "alt+"},     {"ralt", "alt+"},
};
constexpr std::string_view kNoKey = "none";

std::string_view MarkOf(std::string_view key) {
  for (const ModifierMark& modifier : kModifierMarks) {
    if (SameName(key, modifier.key)) {
      return modifier.mark;
    }
  }
  return {};
}

// Reads what each button of the layout types and its gesture items from the files, as an
// execution looks them up: the item after the section's header, in the document or else in
// the global settings file.
void ReadDefinitions(PadLayout& layout, const SettingsFiles& files) {
  layout.definitions.assign(layout.buttonNames.size(), std::string());
  layout.gestures.assign(layout.buttonNames.size(), {});
  std::string value;
  for (size_t i = 0; i < layout.buttonNames.size(); ++i) {
    if (!layout.buttonNames[i].empty() &&
        LookupItem(files, layout.header, layout.buttonNames[i], value, false)) {
      layout.definitions[i] = value;
    }
  }
  const SettingsText* file = nullptr;
  for (const std::optional<SettingsText>* candidate : {&files.localFile, &files.globalFile}) {
    if (*candidate && (*candidate)->FindSection(layout.header)) {
      file = &**candidate;
      break;
    }
  }
  if (file == nullptr) {
    return;
  }
  std::vector<const char*> names;
  for (const std::string& name : layout.buttonNames) {
    names.push_back(name.c_str());
  }
  int32_t chords = 0;
  for (size_t piece = *file->FindSection(layout.header) + 1;
       piece < file->PieceCount() && !file->IsHeader(piece); ++piece) {
    const std::string_view key = file->Key(piece);
    if (!file->IsItem(piece) || !IsGestureItem(key)) {
      continue;
    }
    const GestureKey gesture = ReadGestureKey(key, names, chords);
    if (gesture.kind == GestureKind::kChord) {
      ++chords;
    }
    if (!gesture.refusal.empty()) {
      continue;
    }
    for (const int32_t button : gesture.buttons) {
      if (button >= 0 && static_cast<size_t>(button) < layout.gestures.size()) {
        layout.gestures[static_cast<size_t>(button)].push_back(std::string(key) + " = " +
                                                               file->Value(piece));
      }
    }
  }
}

}  // namespace

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

std::string PadLayout::KeyLabel(int button, int state) const {
  if (button < 0 || static_cast<size_t>(button) >= definitions.size()) {
    return {};
  }
  std::string label;
  // A modifier's mark waits at the label's end for the key it changes; a modifier that ends
  // the state is shown by its name instead.
  std::string_view waiting;
  std::string_view waitingKey;
  const std::vector<ButtonToken> tokens =
      SplitButtonValue(definitions[static_cast<size_t>(button)]);
  for (const ButtonToken& token : tokens) {
    const std::string_view key = KeyNameOf(token.text);
    if (token.row != state || key.empty() || SameName(key, kNoKey)) {
      continue;
    }
    if (!label.empty() && waiting.empty()) {
      label += ',';
    }
    const std::string_view mark = MarkOf(key);
    label += mark.empty() ? key : mark;
    waiting = mark;
    waitingKey = key;
  }
  if (!waiting.empty()) {
    label.resize(label.size() - waiting.size());
    label += waitingKey;
  }
  return label;
}

bool PadLayout::Types(int button, int state, std::string_view key) const {
  if (button < 0 || static_cast<size_t>(button) >= definitions.size()) {
    return false;
  }
  const std::vector<ButtonToken> tokens =
      SplitButtonValue(definitions[static_cast<size_t>(button)]);
  return std::any_of(tokens.begin(), tokens.end(), [&](const ButtonToken& token) {
    return token.row == state && SameName(KeyNameOf(token.text), key);
  });
}

std::string PadLayout::Description(int button) const {
  if (button < 0 || static_cast<size_t>(button) >= buttonNames.size()) {
    return {};
  }
  const auto index = static_cast<size_t>(button);
  std::string text = buttonNames[index];
  const std::string definition = index < definitions.size() ? definitions[index] : std::string();
  text += " = " + (definition.empty() ? std::string("(no item)") : definition);
  const int states = static_cast<int>(shiftButtons.size());
  for (int state = 0; state <= states && states > 0; ++state) {
    std::string keys;
    for (const ButtonToken& token : SplitButtonValue(definition)) {
      if (token.row == state) {
        keys += (keys.empty() ? "" : ", ") + token.text;
      }
    }
    text += "\n" + ShiftStateText(state) + ": " + (keys.empty() ? std::string(kNoKey) : keys);
  }
  for (size_t k = 0; k < shiftButtons.size(); ++k) {
    const std::string& shift = shiftButtons[k];
    if (shift == buttonNames[index] || shift == "toggle " + buttonNames[index]) {
      text += "\nselects " + ShiftStateText(static_cast<int>(k + 1));
    }
  }
  if (index < gestures.size()) {
    for (const std::string& gesture : gestures[index]) {
      text += "\n" + gesture;
    }
  }
  return text;
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
    if (pad.files != nullptr) {
      ReadDefinitions(layout, *pad.files);
    }
    layouts.push_back(std::move(layout));
  }
  return layouts;
}

std::vector<PadLayout> LayoutOfSettings(const SettingsFiles& files) {
  std::vector<PadLayout> layouts;
  if (!files.localFile || !files.globalFile) {
    return layouts;
  }
  for (const PadPlace& place : FindPadPlaces(files)) {
    const PadKind* kind = FindPadKind(place.kind);
    if (kind == nullptr || layouts.size() >= static_cast<size_t>(kMaxPads)) {
      continue;
    }
    PadLayout layout;
    layout.header = place.section.header;
    layout.kind = kind->name;
    for (int16_t button = 0; button < kind->buttonCount; ++button) {
      layout.buttonNames.emplace_back(kind->buttonNames[button]);
    }
    std::string value;
    LookupItem(files, layout.header, kNumShiftsItem, value, false);
    const int shifts = std::clamp<int>(ReadDecimal(value), 0, kMaxShiftButtons);
    if (shifts > 0) {
      LookupItem(files, layout.header, kShiftsItem, value, false);
    }
    // The shift definition is split as the execution splits it; a state whose token names no
    // button keeps its place, unnamed.
    std::string_view rest = value;
    for (int k = 0; k < shifts; ++k) {
      const size_t end = rest.find_first_of(",;");
      std::string token(rest.substr(0, end));
      NormalizeValue(token);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      const ShiftToken shift = ReadShiftToken(token);
      const bool known = layout.ButtonIndex(std::string(shift.name)) >= 0;
      layout.shiftButtons.push_back(known ? token : std::string());
    }
    ReadDefinitions(layout, files);
    layouts.push_back(std::move(layout));
  }
  return layouts;
}

}  // namespace zarvel
