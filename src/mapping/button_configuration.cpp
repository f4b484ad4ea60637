#include "mapping/button_configuration.h"

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "mapping/button_gestures.h"
#include "mapping/key_definitions.h"
#include "pads/button_encoding.h"

namespace zarvel {
namespace {

// The messages of the button configuration, all in one place.
constexpr const char* kTooManyShiftStates =
    "Tried to assign more than %d shift states to \"%s\" button.\n";
constexpr const char* kTooManyKeyCodes = "Too many key codes for \"%s\" button.\n";
// The word that names no button follows the sentence, so the user sees which one it is.
constexpr const char* kUnknownShiftButton =
    "Unrecognized button name in shift definition. \"%s\" names no button of the pad.\n";
constexpr const char* kMissingShiftButton =
    "Unrecognized button name in shift definition. Nothing names the button of shift state %d.\n";

// The keywords that may open a token of a button definition, and what a token of "repeat(n)"
// form holds where.
constexpr std::string_view kPulseKeyword = "pulse";
constexpr std::string_view kRepeatKeyword = "repeat";
constexpr size_t kRepeatOpenAt = kRepeatKeyword.size();        // "(" right after "repeat".
constexpr size_t kRepeatNumberAt = kRepeatKeyword.size() + 1;  // n right after the "(".
constexpr const char* kRepeatNumberName = "repeat(n)";

// A shift definition's token "toggle select": the keyword, one separating character, the name.
constexpr std::string_view kToggleKeyword = "toggle";
constexpr size_t kToggledNameAt = kToggleKeyword.size() + 1;

enum class KeyMode : uint8_t {
  kPlain,   // Down bytes into the key-down entry, up bytes into the key-up entry.
  kPulse,   // Down and then up bytes into the key-down entry: the key taps at the press.
  kRepeat,  // As plain, and the button repeats by itself while it is held.
};

KeyMode ModeOf(std::string_view token) {
  if (token.starts_with(kPulseKeyword)) {
    return KeyMode::kPulse;
  }
  if (token.starts_with(kRepeatKeyword)) {
    return KeyMode::kRepeat;
  }
  return KeyMode::kPlain;
}

const char* ButtonName(const ControlPad& pad, int32_t button) {
  const char* name = pad.buttonNames[static_cast<size_t>(button)];
  return name != nullptr ? name : "";
}

void Append(KeyTable& table, const KeySequence& sequence, int32_t column, int32_t row,
            const char* name, const ButtonSetup& setup, const SettingsPlace& place) {
  if (!AppendKeySequence(table, sequence, column, row, setup.allocation)) {
    ReportBadThingAt(place, kTooManyKeyCodes, name);
  }
}

// Moves the text after the separator at `end` to the front, cleaned as a value is.
void DropToken(std::string& text, size_t end, bool last) {
  if (last) {
    text.clear();
    return;
  }
  text.erase(0, end + 1);
  NormalizeValue(text);
}

// The index of the pad's button named `name`, the lowest when several are; -1 when none is.
int32_t FindButton(const ControlPad& pad, std::string_view name) {
  for (int32_t i = 0; i < pad.buttonCount; ++i) {
    const char* buttonName = pad.buttonNames[static_cast<size_t>(i)];
    if (buttonName != nullptr && name == buttonName) {
      return i;
    }
  }
  return -1;
}

}  // namespace

std::string_view KeyNameOf(std::string_view token) {
  const size_t space = token.find(' ');
  return space == std::string_view::npos ? token : token.substr(space + 1);
}

std::string_view KeywordOf(std::string_view token) {
  const size_t space = token.find(' ');
  return space == std::string_view::npos ? std::string_view() : token.substr(0, space);
}

std::string KeywordAsRead(std::string_view token) {
  switch (ModeOf(token)) {
    case KeyMode::kPulse:
      return std::string(kPulseKeyword);
    case KeyMode::kRepeat:
      if (token.size() > kRepeatOpenAt && token[kRepeatOpenAt] == '(') {
        return std::string(kRepeatKeyword) + "(" +
               std::to_string(ReadDecimal(token.substr(kRepeatNumberAt))) + ")";
      }
      return std::string(kRepeatKeyword);
    case KeyMode::kPlain:
      break;
  }
  return {};
}

bool IsButtonKeyword(std::string_view keyword) {
  if (keyword == kPulseKeyword || keyword == kRepeatKeyword) {
    return true;
  }
  // "repeat(n)": digits, and nothing else, between the parentheses.
  if (!keyword.starts_with(kRepeatKeyword) || keyword.size() < kRepeatNumberAt + 2 ||
      keyword[kRepeatOpenAt] != '(' || keyword.back() != ')') {
    return false;
  }
  const std::string_view digits =
      keyword.substr(kRepeatNumberAt, keyword.size() - kRepeatNumberAt - 1);
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

void ConfigurePadButtons(ControlPad& pad, const std::string& header, const ButtonSetup& setup) {
  std::string value;
  SettingsPlace place;
  LookupItem(setup.files, header, kNumShiftsItem, value, true, &place);
  // Every shift state but state 0 needs a shift button, and the pad has room for four.
  const int32_t numShifts = ReadDecimal(value);
  CheckRange(numShifts, kNumShiftsItem.data(), 0, kMaxShiftButtons, false, place);
  pad.numShifts = static_cast<int8_t>(numShifts);

  CreateKeyTable(pad.keyDown, pad, "key down", setup);
  CreateKeyTable(pad.keyUp, pad, "key up", setup);

  // The pad's own rate wins; without one, [config] must give it.
  LookupItem(setup.files, header, kRepeatRateItem, value, false, &place);
  if (value.empty()) {
    LookupItem(setup.files, kConfigHeader, kRepeatRateItem, value, true, &place);
  }
  const int32_t rate = ReadDecimal(value);
  CheckRange(rate, kRepeatRateItem.data(), kLowestRepeatRate, kHighestRepeatRate, false, place);
  for (int16_t i = 0; i < pad.buttonCount; ++i) {
    pad.repeatPeriod[static_cast<size_t>(i)] = RepeatPeriodOfRate(rate);
  }

  ReadButtonDefinitions(header, pad, setup);
  ConfigurePadGestures(pad, header, setup, RepeatPeriodOfRate(rate));
}

void CreateKeyTable(KeyTable& table, const ControlPad& pad, const char* name,
                    const ButtonSetup& setup) {
  TracePrint(setup.trace, "\263       \332 Creating %s table...\n", name);
  TracePrint(setup.trace, "\263       \263   Mallocing shift part of key table.\n");
  const int32_t rowCount = pad.numShifts + 1;
  table.rows = CheckedAllocArray<std::unique_ptr<KeySequence[]>>(setup.allocation, rowCount);
  table.rowCount = 0;
  table.buttonCount = pad.buttonCount;
  TracePrint(setup.trace, "\263       \263   Mallocing button part of key table. [");
  for (int32_t row = 0; row < rowCount; ++row) {
    TracePrint(setup.trace, "\376");
    // Each entry starts with length 0 and no storage.
    table.rows[static_cast<size_t>(row)] =
        CheckedAllocArray<KeySequence>(setup.allocation, pad.buttonCount);
    table.rowCount = row + 1;
  }
  TracePrint(setup.trace, "]\n");
  TracePrint(setup.trace, "\263       \300 Done\n");
}

void ReadButtonDefinitions(const std::string& header, ControlPad& pad, const ButtonSetup& setup) {
  TracePrint(setup.trace, "\263      Reading button config data...");
  std::string value;
  SettingsPlace place;
  for (int16_t i = 0; i < pad.buttonCount; ++i) {
    LookupItem(setup.files, header, ButtonName(pad, i), value, true, &place);
    SplitButtonDefinition(i, value, pad, setup, place);
  }
  ReadShiftButtons(pad, header, setup);
  TracePrint(setup.trace, "Done\n");
}

std::vector<ButtonToken> SplitButtonValue(std::string_view value) {
  std::vector<ButtonToken> tokens;
  std::string text(value);
  int32_t row = 0;
  while (!text.empty()) {
    // Of the two separators, the one that comes first ends the token; only a semicolon moves
    // the next token on to the next shift state.
    const size_t end = text.find_first_of(",;");
    if (end == std::string::npos) {
      tokens.push_back({row, std::move(text)});
      break;
    }
    tokens.push_back({row, text.substr(0, end)});
    if (text[end] == ';') {
      ++row;
    }
    // The text after a separator is cleaned as a value is.
    text.erase(0, end + 1);
    NormalizeValue(text);
  }
  return tokens;
}

void SplitButtonDefinition(int32_t button, std::string& text, ControlPad& pad,
                           const ButtonSetup& setup, const SettingsPlace& place) {
  for (const ButtonToken& token : SplitButtonValue(text)) {
    ProcessKeyName(button, token.row, token.text, pad, setup, place);
  }
  text.clear();
}

void ProcessKeyName(int32_t button, int32_t row, std::string_view token, ControlPad& pad,
                    const ButtonSetup& setup, const SettingsPlace& place) {
  const TokenRepeat repeat = AppendTokenBytes(pad.keyDown, pad.keyUp, button, row, token,
                                              pad.numShifts, ButtonName(pad, button), setup, place);
  if (!repeat.repeats) {
    return;
  }
  pad.repeatCount[static_cast<size_t>(button)] = kRepeatCountStart;
  if (repeat.period != 0) {
    pad.repeatPeriod[static_cast<size_t>(button)] = repeat.period;
  }
}

TokenRepeat AppendTokenBytes(KeyTable& down, KeyTable& up, int32_t column, int32_t row,
                             std::string_view token, int32_t numShifts, const char* name,
                             const ButtonSetup& setup, const SettingsPlace& place) {
  const std::string keyName(KeyNameOf(token));
  if (row > numShifts) {
    ReportBadThingAt(place, kTooManyShiftStates, numShifts, name);
  }
  const KeyDefinition& key =
      setup.keyDefinitions.table[FindKeyDefinition(setup.keyDefinitions, keyName, place)];

  TokenRepeat repeat;
  switch (ModeOf(token)) {
    case KeyMode::kPulse:
      Append(down, key.down, column, row, name, setup, place);
      Append(down, key.up, column, row, name, setup, place);
      break;
    case KeyMode::kRepeat:
      Append(down, key.down, column, row, name, setup, place);
      Append(up, key.up, column, row, name, setup, place);
      repeat.repeats = true;
      if (token.size() > kRepeatOpenAt && token[kRepeatOpenAt] == '(') {
        // Text that is no number after the "(" reads as 0, which the range refuses.
        const int32_t rate = ReadDecimal(token.substr(kRepeatNumberAt));
        CheckRange(rate, kRepeatNumberName, kLowestRepeatRate, kHighestRepeatRate, false, place);
        repeat.period = RepeatPeriodOfRate(rate);
      }
      break;
    case KeyMode::kPlain:
      Append(down, key.down, column, row, name, setup, place);
      Append(up, key.up, column, row, name, setup, place);
      break;
  }
  return repeat;
}

void ReadShiftButtons(ControlPad& pad, const std::string& header, const ButtonSetup& setup) {
  if (pad.numShifts == 0) {
    return;
  }
  std::string value;
  SettingsPlace place;
  LookupItem(setup.files, header, kShiftsItem, value, true, &place);
  AssignShiftButtons(pad, std::move(value), place);
}

void AssignShiftButtons(ControlPad& pad, std::string text, const SettingsPlace& place) {
  for (int32_t k = 0; k < pad.numShifts && k < kMaxShiftButtons; ++k) {
    const size_t end = text.find_first_of(",;");
    const bool last = end == std::string::npos;
    const std::string_view token = std::string_view(text).substr(0, last ? text.size() : end);

    const ShiftToken shift = ReadShiftToken(token);
    const int32_t button = FindButton(pad, shift.name);
    if (button < 0 && token.empty()) {
      ReportBadThingAt(place, kMissingShiftButton, k + 1);
    }
    if (button < 0) {
      ReportBadThingAt(place, kUnknownShiftButton, std::string(token).c_str());
    }
    pad.toggle[static_cast<size_t>(button)] = shift.toggles ? kToggleLatches : kToggleOff;
    pad.shiftButtons[static_cast<size_t>(k)] = static_cast<int8_t>(button);
    DropToken(text, end, last);
  }
}

ShiftToken ReadShiftToken(std::string_view token) {
  // "toggle" with nothing after it names no button, and is refused as such.
  const bool toggles = token.starts_with(kToggleKeyword);
  std::string_view name = token;
  if (toggles) {
    name = token.size() > kToggledNameAt ? token.substr(kToggledNameAt) : std::string_view();
  }
  return {toggles, name};
}

}  // namespace zarvel
