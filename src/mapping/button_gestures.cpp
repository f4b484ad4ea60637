#include "mapping/button_gestures.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "base/bad_thing.h"
#include "base/format_text.h"
#include "config/config_section.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "inject/key_queue.h"
#include "mapping/button_configuration.h"
#include "mapping/button_processing.h"
#include "pads/button_encoding.h"

namespace zarvel {
namespace {

// The refusals of gesture items, all in one place; each names the item first.
constexpr const char* kUnknownGestureButton =
    "Gesture item \"%s\": \"%s\" names no button of the pad.\n";
constexpr const char* kChordOfOne =
    "Gesture item \"%s\": a chord needs two buttons or more, each named between \"+\".\n";
constexpr const char* kChordTooLong = "Gesture item \"%s\": a chord holds four buttons at most.\n";
constexpr const char* kChordTwice = "Gesture item \"%s\": the chord names \"%s\" twice.\n";
constexpr const char* kTooManyChords = "Gesture item \"%s\": a pad has room for 16 chords.\n";
constexpr const char* kTapNotShift =
    "Gesture item \"%s\": \"%s\" is no momentary shift button, so it has no tap.\n";
constexpr const char* kLatchingGesture =
    "Gesture item \"%s\": \"%s\" latches its shift state, so it has no hold, double press or "
    "chord.\n";
constexpr const char* kUnknownSuffix =
    "Gesture item \"%s\": \"%s\" is no gesture (hold, double or tap).\n";

constexpr int32_t kMillisecondsPerSecond = 1000;

bool IsShiftButton(const ControlPad& pad, int32_t button) {
  for (int32_t k = 0; k < pad.numShifts && k < kMaxShiftButtons; ++k) {
    if (pad.shiftButtons[static_cast<size_t>(k)] == button) {
      return true;
    }
  }
  return false;
}

bool Latches(const ControlPad& pad, int32_t button) {
  return IsShiftButton(pad, button) && pad.toggle[static_cast<size_t>(button)] != kToggleOff;
}

// The file whose section the pad's gesture items are read from: the document when it has the
// section, else the global settings file.
const SettingsText* SectionFile(const SettingsFiles& files, std::string_view header) {
  if (files.localFile && files.localFile->FindSection(header)) {
    return &*files.localFile;
  }
  if (files.globalFile && files.globalFile->FindSection(header)) {
    return &*files.globalFile;
  }
  return nullptr;
}

// The item pieces of a section, from its header to the next one: gesture items and times
// belong to their own section alone.
std::vector<size_t> SectionItems(const SettingsText& file, std::string_view header) {
  std::vector<size_t> items;
  const std::optional<size_t> start = file.FindSection(header);
  if (!start) {
    return items;
  }
  for (size_t piece = *start + 1; piece < file.PieceCount() && !file.IsHeader(piece); ++piece) {
    if (file.IsItem(piece)) {
      items.push_back(piece);
    }
  }
  return items;
}

std::optional<size_t> SectionItem(const SettingsText& file, std::string_view header,
                                  std::string_view item) {
  for (const size_t piece : SectionItems(file, header)) {
    if (SameName(file.Key(piece), item)) {
      return piece;
    }
  }
  return std::nullopt;
}

SettingsPlace PlaceOf(const SettingsText& file, size_t piece, std::string_view header) {
  return {file.Name(), file.Line(piece), std::string(header), std::string(file.Key(piece))};
}

// A gesture time: the pad's own section first, then [config] of the document, then [config] of
// the global file, then the default; checked against its range where it was found.
int32_t ReadGestureTime(const SettingsFiles& files, const std::string& header,
                        std::string_view item, int32_t defaultMs, int32_t tickFreq) {
  const std::string name(item);
  const std::pair<const SettingsText*, std::string_view> places[] = {
      {SectionFile(files, header), header},
      {files.localFile ? &*files.localFile : nullptr, kConfigHeader},
      {files.globalFile ? &*files.globalFile : nullptr, kConfigHeader},
  };
  for (const auto& [file, section] : places) {
    if (file == nullptr) {
      continue;
    }
    const std::optional<size_t> piece = SectionItem(*file, section, item);
    if (!piece || file->Value(*piece).empty()) {
      continue;
    }
    const int32_t ms = ReadDecimal(file->Value(*piece));
    CheckRange(ms, name.c_str(), kShortestGestureTimeMs, kLongestGestureTimeMs, false,
               PlaceOf(*file, *piece, section));
    return GestureTicks(ms, tickFreq);
  }
  return GestureTicks(defaultMs, tickFreq);
}

void QueueEntry(const KeyTable& table, int32_t row, int32_t column, KeyQueue& queue,
                KeySequence& staging) {
  CopyTableEntry(column, row, table, staging);
  queue.PushSequence(staging);
}

// Taps a button's own item: its key-down entry, then its key-up entry, of the state at its press.
void TapOwnItem(const ControlPad& pad, int32_t button, uint8_t row, KeyQueue& queue,
                KeySequence& staging) {
  QueueEntry(pad.keyDown, row, button, queue, staging);
  QueueEntry(pad.keyUp, row, button, queue, staging);
}

void Decide(PadGestures& gestures, int32_t action) {
  if (gestures.decidedCount < static_cast<int32_t>(gestures.decided.size())) {
    gestures.decided[static_cast<size_t>(gestures.decidedCount++)] = static_cast<int8_t>(action);
  }
}

void StartAction(PadGestures& gestures, int32_t index, uint8_t row, KeyQueue& queue,
                 KeySequence& staging) {
  GestureAction& action = gestures.actions[static_cast<size_t>(index)];
  action.running = true;
  action.keyDown = true;
  action.row = row;
  action.repeatCount = 0;
  QueueEntry(gestures.keyDown, row, index, queue, staging);
  Decide(gestures, index);
}

// Whether the buttons an action runs on all still read pressed.
bool ActionHeld(const ControlPad& pad, const GestureAction& action) {
  if (action.kind != GestureKind::kChord) {
    return pad.raw[static_cast<size_t>(action.button)] != 0;
  }
  for (int32_t i = 0; i < action.chordSize; ++i) {
    if (pad.raw[static_cast<size_t>(action.chordButtons[static_cast<size_t>(i)])] == 0) {
      return false;
    }
  }
  return true;
}

// Ends the running actions whose buttons were let go, and steps the repeating ones.
void FollowRunningActions(const ControlPad& pad, PadGestures& gestures, KeyQueue& queue,
                          KeySequence& staging) {
  for (int32_t index = 0; index < gestures.actionCount; ++index) {
    GestureAction& action = gestures.actions[static_cast<size_t>(index)];
    if (!action.running) {
      continue;
    }
    if (!ActionHeld(pad, action)) {
      action.running = false;
      if (action.keyDown) {
        QueueEntry(gestures.keyUp, action.row, index, queue, staging);
      }
      continue;
    }
    if (action.repeatPeriod > 0 && ++action.repeatCount >= action.repeatPeriod) {
      action.repeatCount = 0;
      action.keyDown = !action.keyDown;
      QueueEntry(action.keyDown ? gestures.keyDown : gestures.keyUp, action.row, index, queue,
                 staging);
    }
  }
}

// A press counted from `tick`: the button waits for its hold time or its release when it has a
// hold or a double press, and otherwise its own item starts.
void CountPress(ButtonGesture& button, int64_t tick) {
  button.since = tick;
  button.phase =
      button.hold >= 0 || button.twice >= 0 ? GesturePhase::kHoldWait : GesturePhase::kStarted;
}

void Press(const ControlPad& pad, ButtonGesture& button, int64_t tick) {
  button.row = pad.shift;
  button.since = tick;
  if (button.inChord) {
    button.phase = GesturePhase::kChordWait;
  } else {
    CountPress(button, tick);
  }
}

// What a button's read does to its phase at this tick: presses, releases, and a double press
// that comes or is missed.
void FollowButton(const ControlPad& pad, PadGestures& gestures, int32_t b, int64_t tick,
                  KeyQueue& queue, KeySequence& staging) {
  ButtonGesture& button = gestures.buttons[static_cast<size_t>(b)];
  const bool pressed = pad.raw[static_cast<size_t>(b)] != 0;
  const bool wentDown = pressed && button.wasPressed == 0;
  switch (button.phase) {
    case GesturePhase::kIdle:
      if (wentDown) {
        Press(pad, button, tick);
      }
      break;
    case GesturePhase::kChordWait:
      if (!pressed) {
        // Let go before its chord time with no chord: its own item taps now.
        TapOwnItem(pad, b, button.row, queue, staging);
        button.phase = GesturePhase::kIdle;
      }
      break;
    case GesturePhase::kTaken:
    case GesturePhase::kStarted:
    case GesturePhase::kActionHeld:
      if (!pressed) {
        button.phase = GesturePhase::kIdle;
      }
      break;
    case GesturePhase::kHoldWait:
      if (pressed) {
        break;
      }
      if (button.twice >= 0) {
        button.phase = GesturePhase::kDoubleWait;
        button.since = tick;
      } else {
        TapOwnItem(pad, b, button.row, queue, staging);
        button.phase = GesturePhase::kIdle;
      }
      break;
    case GesturePhase::kDoubleWait:
      if (tick - button.since >= gestures.doubleTicks) {
        // No second press in time: the first press taps the button's own item, and a press now
        // begins afresh.
        TapOwnItem(pad, b, button.row, queue, staging);
        button.phase = GesturePhase::kIdle;
        if (wentDown) {
          Press(pad, button, tick);
        }
      } else if (wentDown) {
        StartAction(gestures, button.twice, pad.shift, queue, staging);
        button.phase = GesturePhase::kActionHeld;
      }
      break;
  }
}

// Fires every chord whose buttons all wait within their chord time, the longer chords first.
void FireChords(const ControlPad& pad, PadGestures& gestures, int64_t tick, KeyQueue& queue,
                KeySequence& staging) {
  for (int32_t c = 0; c < gestures.chordCount; ++c) {
    const int32_t index = gestures.chordOrder[static_cast<size_t>(c)];
    const GestureAction& chord = gestures.actions[static_cast<size_t>(index)];
    bool ready = true;
    int64_t firstPress = tick;
    uint8_t row = pad.shift;
    for (int32_t i = 0; i < chord.chordSize && ready; ++i) {
      const ButtonGesture& button =
          gestures.buttons[static_cast<size_t>(chord.chordButtons[static_cast<size_t>(i)])];
      ready = button.phase == GesturePhase::kChordWait && tick - button.since < gestures.chordTicks;
      if (ready && button.since < firstPress) {
        firstPress = button.since;
        row = button.row;
      }
    }
    if (!ready) {
      continue;
    }
    for (int32_t i = 0; i < chord.chordSize; ++i) {
      gestures.buttons[static_cast<size_t>(chord.chordButtons[static_cast<size_t>(i)])].phase =
          GesturePhase::kTaken;
    }
    StartAction(gestures, index, row, queue, staging);
  }
}

// The times that run out at this tick: a chord time with no chord, a hold time still pressed.
void FollowTimes(PadGestures& gestures, int32_t b, int64_t tick, KeyQueue& queue,
                 KeySequence& staging) {
  ButtonGesture& button = gestures.buttons[static_cast<size_t>(b)];
  if (button.phase == GesturePhase::kChordWait && tick - button.since >= gestures.chordTicks) {
    CountPress(button, tick);
  }
  if (button.phase == GesturePhase::kHoldWait && button.hold >= 0 &&
      tick - button.since >= gestures.holdTicks) {
    StartAction(gestures, button.hold, button.row, queue, staging);
    button.phase = GesturePhase::kActionHeld;
  }
}

// A momentary shift button's tap: released within the hold time with no other button pressed
// since its press.
void FollowTap(const ControlPad& pad, PadGestures& gestures, int32_t b, uint32_t wentDown,
               int64_t tick, KeyQueue& queue, KeySequence& staging) {
  ButtonGesture& button = gestures.buttons[static_cast<size_t>(b)];
  const bool pressed = pad.raw[static_cast<size_t>(b)] != 0;
  if (pressed && button.wasPressed == 0) {
    button.tapSince = tick;
    button.tapRow = pad.shift;
    button.otherPressed = (wentDown & ~(1u << b)) != 0;
    return;
  }
  if (pressed) {
    button.otherPressed = button.otherPressed || (wentDown & ~(1u << b)) != 0;
    return;
  }
  if (button.wasPressed != 0 && !button.otherPressed &&
      tick - button.tapSince < gestures.holdTicks) {
    QueueEntry(gestures.keyDown, button.tapRow, button.tap, queue, staging);
    QueueEntry(gestures.keyUp, button.tapRow, button.tap, queue, staging);
    Decide(gestures, button.tap);
  }
}

int32_t NamedIn(std::span<const char* const> names, std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] != nullptr && SameName(name, names[i])) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

void CreateGestureTable(KeyTable& table, const ControlPad& pad, int32_t columns,
                        const ButtonSetup& setup) {
  const int32_t rowCount = pad.numShifts + 1;
  table.rows = CheckedAllocArray<std::unique_ptr<KeySequence[]>>(setup.allocation, rowCount);
  table.buttonCount = columns;
  for (int32_t row = 0; row < rowCount; ++row) {
    table.rows[static_cast<size_t>(row)] =
        CheckedAllocArray<KeySequence>(setup.allocation, columns);
  }
  table.rowCount = rowCount;
}

}  // namespace

GestureKey ReadGestureKey(std::string_view key, std::span<const char* const> names,
                          int32_t chordsBefore) {
  const std::string item(key);
  GestureKey read;
  const size_t mark = key.find(kSuffixMark);
  if (key.find(kChordJoint) == std::string_view::npos || mark != std::string_view::npos) {
    const std::string_view name = key.substr(0, mark);
    const std::string_view suffix =
        mark == std::string_view::npos ? std::string_view() : key.substr(mark + 1);
    const int32_t button = NamedIn(names, name);
    if (button < 0) {
      read.refusal = FormatText(kUnknownGestureButton, item.c_str(), std::string(name).c_str());
      return read;
    }
    if (SameName(suffix, kHoldSuffix)) {
      read.kind = GestureKind::kHold;
    } else if (SameName(suffix, kDoubleSuffix)) {
      read.kind = GestureKind::kDouble;
    } else if (SameName(suffix, kTapSuffix)) {
      read.kind = GestureKind::kTap;
    } else {
      read.refusal = FormatText(kUnknownSuffix, item.c_str(), std::string(suffix).c_str());
      return read;
    }
    read.buttons.push_back(button);
    read.name = names[static_cast<size_t>(button)];
    return read;
  }
  read.kind = GestureKind::kChord;
  size_t from = 0;
  while (from <= key.size()) {
    const size_t joint = std::min(key.find(kChordJoint, from), key.size());
    const std::string_view name = key.substr(from, joint - from);
    from = joint + 1;
    if (name.empty()) {
      read.refusal = FormatText(kChordOfOne, item.c_str());
      return read;
    }
    const int32_t button = NamedIn(names, name);
    if (button < 0) {
      read.refusal = FormatText(kUnknownGestureButton, item.c_str(), std::string(name).c_str());
      return read;
    }
    const char* buttonName = names[static_cast<size_t>(button)];
    if (std::find(read.buttons.begin(), read.buttons.end(), button) != read.buttons.end()) {
      read.refusal = FormatText(kChordTwice, item.c_str(), buttonName);
      return read;
    }
    read.buttons.push_back(button);
    read.name += read.name.empty() ? buttonName : std::string(1, kChordJoint) + buttonName;
  }
  if (read.buttons.size() > static_cast<size_t>(kMaxChordButtons)) {
    read.refusal = FormatText(kChordTooLong, item.c_str());
  } else if (chordsBefore >= kMaxChords) {
    read.refusal = FormatText(kTooManyChords, item.c_str());
  }
  return read;
}

bool IsGestureItem(std::string_view key) {
  return key.find_first_of(".+") != std::string_view::npos;
}

int32_t GestureTicks(int32_t ms, int32_t tickFreq) {
  const int64_t ticks =
      (static_cast<int64_t>(ms) * tickFreq + kMillisecondsPerSecond - 1) / kMillisecondsPerSecond;
  return static_cast<int32_t>(std::max<int64_t>(ticks, 1));
}

const char* GestureWord(GestureKind kind) {
  switch (kind) {
    case GestureKind::kHold:
      return "hold";
    case GestureKind::kDouble:
      return "double";
    case GestureKind::kTap:
      return "tap";
    case GestureKind::kChord:
      return "chord";
  }
  return "";
}

void ConfigurePadGestures(ControlPad& pad, const std::string& header, const ButtonSetup& setup,
                          int8_t ratePeriod) {
  pad.gestures.reset();
  const SettingsText* file = SectionFile(setup.files, header);
  if (file == nullptr) {
    return;
  }
  std::vector<size_t> items;
  for (const size_t piece : SectionItems(*file, header)) {
    if (IsGestureItem(file->Key(piece))) {
      items.push_back(piece);
    }
  }
  if (items.empty()) {
    return;
  }
  auto gestures = std::make_shared<PadGestures>();
  std::string value;
  LookupItem(setup.files, kConfigHeader, kTickFreqItem, value, false);
  const int32_t tickFreq = std::max(ReadDecimal(value), 1);
  gestures->holdTicks =
      ReadGestureTime(setup.files, header, kHoldTimeItem, kDefaultHoldTimeMs, tickFreq);
  gestures->doubleTicks =
      ReadGestureTime(setup.files, header, kDoubleTimeItem, kDefaultDoubleTimeMs, tickFreq);
  gestures->chordTicks =
      ReadGestureTime(setup.files, header, kChordTimeItem, kDefaultChordTimeMs, tickFreq);

  // Every key is read, and refused if need be, before any bytes: a refusal names the item.
  std::vector<GestureKey> keys;
  std::vector<size_t> kept;
  int32_t chords = 0;
  for (const size_t piece : items) {
    const SettingsPlace place = PlaceOf(*file, piece, header);
    GestureKey key = ReadGestureKey(
        file->Key(piece),
        std::span<const char* const>(pad.buttonNames.data(), static_cast<size_t>(pad.buttonCount)),
        chords);
    if (!key.refusal.empty()) {
      ReportBadThingAt(place, "%s", key.refusal.c_str());
    }
    // Whether a button may have the gesture depends on what Shifts made of it.
    const std::string item(file->Key(piece));
    for (const int32_t b : key.buttons) {
      const char* buttonName = pad.buttonNames[static_cast<size_t>(b)];
      if (key.kind == GestureKind::kTap && (!IsShiftButton(pad, b) || Latches(pad, b))) {
        ReportBadThingAt(place, kTapNotShift, item.c_str(), buttonName);
      }
      if (key.kind != GestureKind::kTap && Latches(pad, b)) {
        ReportBadThingAt(place, kLatchingGesture, item.c_str(), buttonName);
      }
    }
    ButtonGesture& button = gestures->buttons[static_cast<size_t>(key.buttons.front())];
    int8_t* slot = key.kind == GestureKind::kHold     ? &button.hold
                   : key.kind == GestureKind::kDouble ? &button.twice
                   : key.kind == GestureKind::kTap    ? &button.tap
                                                      : nullptr;
    // An item given twice counts once, as every lookup takes the first.
    if (slot != nullptr && *slot >= 0) {
      continue;
    }
    const auto index = static_cast<int8_t>(keys.size());
    if (slot != nullptr) {
      *slot = index;
    } else {
      ++chords;
      for (const int32_t b : key.buttons) {
        gestures->buttons[static_cast<size_t>(b)].inChord = true;
      }
    }
    keys.push_back(std::move(key));
    kept.push_back(piece);
  }

  gestures->actionCount = static_cast<int32_t>(keys.size());
  CreateGestureTable(gestures->keyDown, pad, gestures->actionCount, setup);
  CreateGestureTable(gestures->keyUp, pad, gestures->actionCount, setup);
  for (size_t i = 0; i < keys.size(); ++i) {
    GestureAction& action = gestures->actions[i];
    GestureKey& key = keys[i];
    action.kind = key.kind;
    action.button = static_cast<int8_t>(key.buttons.front());
    action.chordSize = static_cast<int8_t>(key.buttons.size());
    for (size_t b = 0; b < key.buttons.size() && b < action.chordButtons.size(); ++b) {
      action.chordButtons[b] = static_cast<int8_t>(key.buttons[b]);
    }
    action.name = std::move(key.name);
    const SettingsPlace place = PlaceOf(*file, kept[i], header);
    const std::string itemName(file->Key(kept[i]));
    for (const ButtonToken& token : SplitButtonValue(file->Value(kept[i]))) {
      const TokenRepeat repeat =
          AppendTokenBytes(gestures->keyDown, gestures->keyUp, static_cast<int32_t>(i), token.row,
                           token.text, pad.numShifts, itemName.c_str(), setup, place);
      if (repeat.repeats) {
        action.repeatPeriod = repeat.period != 0 ? repeat.period : ratePeriod;
      }
    }
    if (action.kind == GestureKind::kChord) {
      gestures->chordOrder[static_cast<size_t>(gestures->chordCount++)] = static_cast<int8_t>(i);
    }
  }
  // More buttons first; among chords of a size, the one written first.
  std::stable_sort(gestures->chordOrder.begin(),
                   gestures->chordOrder.begin() + gestures->chordCount,
                   [&gestures](int8_t a, int8_t b) {
                     return gestures->actions[static_cast<size_t>(a)].chordSize >
                            gestures->actions[static_cast<size_t>(b)].chordSize;
                   });
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    gestures->pass[static_cast<size_t>(b)] = 1;
    const ButtonGesture& button = gestures->buttons[static_cast<size_t>(b)];
    if (button.hold >= 0 || button.twice >= 0 || button.inChord) {
      gestures->pass[static_cast<size_t>(b)] = 0;
    }
  }
  pad.gestures = std::move(gestures);
}

void DecideGestures(ControlPad& pad, KeyQueue& queue, KeySequence& staging) {
  if (!pad.gestures) {
    return;
  }
  PadGestures& gestures = *pad.gestures;
  const int64_t tick = ++gestures.tick;
  gestures.decidedCount = 0;
  FollowRunningActions(pad, gestures, queue, staging);

  uint32_t wentDown = 0;
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    const size_t i = static_cast<size_t>(b);
    if (pad.raw[i] != 0 && gestures.buttons[i].wasPressed == 0) {
      wentDown |= 1u << b;
    }
  }
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    const ButtonGesture& button = gestures.buttons[static_cast<size_t>(b)];
    if (button.tap >= 0) {
      FollowTap(pad, gestures, b, wentDown, tick, queue, staging);
    }
    if (button.hold >= 0 || button.twice >= 0 || button.inChord) {
      FollowButton(pad, gestures, b, tick, queue, staging);
    }
  }
  FireChords(pad, gestures, tick, queue, staging);
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    const size_t i = static_cast<size_t>(b);
    ButtonGesture& button = gestures.buttons[i];
    if (button.hold >= 0 || button.twice >= 0 || button.inChord) {
      FollowTimes(gestures, b, tick, queue, staging);
      gestures.pass[i] = button.phase == GesturePhase::kStarted ? 1 : 0;
    }
    button.wasPressed = pad.raw[i];
  }
}

}  // namespace zarvel
