#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_table.h"
#include "pads/control_pad.h"

namespace zarvel {

class KeyQueue;
struct ButtonSetup;

// The times that decide a gesture, as a configuration names them, with their defaults and
// range, in milliseconds.
inline constexpr std::string_view kHoldTimeItem = "HoldTime";
inline constexpr std::string_view kDoubleTimeItem = "DoubleTime";
inline constexpr std::string_view kChordTimeItem = "ChordTime";
inline constexpr int32_t kDefaultHoldTimeMs = 200;
inline constexpr int32_t kDefaultDoubleTimeMs = 250;
inline constexpr int32_t kDefaultChordTimeMs = 50;
inline constexpr int32_t kShortestGestureTimeMs = 1;
inline constexpr int32_t kLongestGestureTimeMs = 5000;

// The suffixes of a button's gesture items ("a.hold", "a.double", "select.tap") and the joint of
// a chord's buttons ("l+r").
inline constexpr std::string_view kHoldSuffix = "hold";
inline constexpr std::string_view kDoubleSuffix = "double";
inline constexpr std::string_view kTapSuffix = "tap";
inline constexpr char kSuffixMark = '.';
inline constexpr char kChordJoint = '+';

// Room for a pad's chords, for the buttons of one chord, and for every action a pad can have:
// a hold and a double press on each button, a tap on each shift button and the chords.
inline constexpr int32_t kMaxChords = 16;
inline constexpr int32_t kMaxChordButtons = 4;
inline constexpr int32_t kMaxGestureActions = 2 * kMaxButtons + kMaxShiftButtons + kMaxChords;

enum class GestureKind : uint8_t { kHold, kDouble, kTap, kChord };

// Whether an item key is a gesture item: it holds a "." or a "+", which no other item's key does.
bool IsGestureItem(std::string_view key);

// What a gesture item's key says: its kind, its buttons (indexes into the names it was read
// against) and the name the monitor shows ("a", "l+r"); or why no pad of those buttons can have
// it (empty when it can). Whether the buttons' shift roles allow it is the pad's to say.
struct GestureKey {
  GestureKind kind = GestureKind::kHold;
  std::vector<int32_t> buttons;
  std::string name;
  std::string refusal;
};
GestureKey ReadGestureKey(std::string_view key, std::span<const char* const> names,
                          int32_t chordsBefore);

// Ticks a gesture time of `ms` milliseconds lasts at `tickFreq` ticks a second: rounded up, at
// least one.
int32_t GestureTicks(int32_t ms, int32_t tickFreq);

// The word a decision of each kind is shown with: "hold", "double", "tap", "chord".
const char* GestureWord(GestureKind kind);

// One gesture item of a pad: what sets it off and, while it runs, how far it has got. Its bytes
// are its column of the pad's gesture tables.
struct GestureAction {
  GestureKind kind = GestureKind::kHold;
  int8_t button = -1;  // The button of a hold, double or tap.
  int8_t chordSize = 0;
  std::array<int8_t, kMaxChordButtons> chordButtons{};
  int8_t repeatPeriod = 0;  // Ticks between the steps of a "repeat" definition; 0 for none.
  std::string name;         // "a", "l+r": what the monitor shows.
  // While the action runs: its shift state, whether its key is down, its repeat counter.
  bool running = false;
  bool keyDown = false;
  uint8_t row = 0;
  int8_t repeatCount = 0;
};

// Where a button with a hold, a double press or a chord has got since it was last pressed.
enum class GesturePhase : uint8_t {
  kIdle,        // Released, nothing pending.
  kChordWait,   // Pressed; a chord may still take it.
  kTaken,       // Taken by a chord: types nothing until released.
  kStarted,     // Its own item runs as a plain button's would, until released.
  kHoldWait,    // Pressed; a hold fires if it is still pressed when the hold time is up.
  kActionHeld,  // Its hold or double press runs until released.
  kDoubleWait,  // Released after a short press; a second press may make a double press.
};

struct ButtonGesture {
  int8_t hold = -1;   // The button's action of each kind, -1 for none.
  int8_t twice = -1;  // Its double press.
  int8_t tap = -1;    // Its tap (a momentary shift button only).
  bool inChord = false;
  GesturePhase phase = GesturePhase::kIdle;
  int64_t since = 0;  // The tick its phase counts from: the (counted) press, or the release.
  uint8_t row = 0;    // The shift state in force at its press.
  uint8_t wasPressed = 0;
  // For a tap, kept apart from the rest since a shift button may also have a hold or a chord:
  // its press, the shift state then, and whether another button went down since.
  int64_t tapSince = 0;
  uint8_t tapRow = 0;
  bool otherPressed = false;
};

// Everything a pad's gesture items need while it runs, made when the pad is configured, so the
// tick only reads and updates it.
struct PadGestures {
  int32_t holdTicks = 0;
  int32_t doubleTicks = 0;
  int32_t chordTicks = 0;
  int64_t tick = 0;  // Ticks decided so far.
  // 1 where the button's own item may follow what is read: the tick's button processing reads
  // a button as pressed only when both the read and this say so.
  PerButton<uint8_t> pass{};
  PerButton<ButtonGesture> buttons{};
  std::array<GestureAction, kMaxGestureActions> actions{};
  int32_t actionCount = 0;
  // The chords in the order they are tried: more buttons first, then as written.
  std::array<int8_t, kMaxChords> chordOrder{};
  int32_t chordCount = 0;
  KeyTable keyDown;  // By shift state and action.
  KeyTable keyUp;
  // The actions set off at the last tick, in the order they were decided.
  std::array<int8_t, kMaxGestureActions> decided{};
  int32_t decidedCount = 0;
};

// Reads the gesture items of the pad's section and the gesture times; leaves the pad without
// gestures when its section has none. Runs once every button's own item has been read. Every
// refusal ends the execution at the item's place.
void ConfigurePadGestures(ControlPad& pad, const std::string& header, const ButtonSetup& setup,
                          int8_t ratePeriod);

// Decides, once a tick before the button processing, what the pad's gesture buttons do: queues
// the bytes of the actions that start or end and of the own items tapped, and sets `pass` for
// the button processing. Does nothing for a pad without gestures; allocates nothing.
void DecideGestures(ControlPad& pad, KeyQueue& queue, KeySequence& staging);

}  // namespace zarvel
