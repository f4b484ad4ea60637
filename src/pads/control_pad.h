#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/pad_sections.h"
#include "hardware/pin_def.h"
#include "keys/key_table.h"

namespace zarvel {

class PortIo;
struct ControlPad;
struct PadGestures;
struct ParallelPort;
struct SettingsFiles;

// Room for buttons in every per-button array; a kind uses only its first `buttonCount`. The
// analog PlayStation pad, with its sticks' eight directions, has the most.
inline constexpr int kMaxButtons = 24;
// Room for shift buttons, one per shift state besides state 0.
inline constexpr int kMaxShiftButtons = 4;
// Lines of their own, one per switch, that an Atari-style stick closes onto its common line; a
// Genesis pad's six lines take the same places.
inline constexpr int kMaxSwitchLines = 6;

// A pad kind's read routine: drives the pad's lines and fills its `raw` entries.
using PadReadFunc = void (*)(ControlPad& pad, ParallelPort& port, PortIo& io);

// How a kind tells a pad that is plugged in from one that is not.
enum class ConnectedTest : uint8_t {
  kDirections,  // No real pad presses up with down, or left with right.
  kIdentity,    // The pad answered with an identity byte of a pad Zarvel reads.
  kNone,        // Nothing tells: a stick of switches counts as plugged in.
  kGrounded,    // With select low, a Genesis pad grounds its left and right lines.
};

template <typename T>
using PerButton = std::array<T, kMaxButtons>;

// One configured pad. Discovery sets the read routine, the pins, the button names and the
// number; the read fills `raw`; the button configuration and the per-tick processing own the
// mapping fields. A record is reused, not cleared, by the next execution.
struct ControlPad {
  PadReadFunc read = nullptr;
  const PinDef* clockPin = nullptr;    // Circuit item "clock".
  const PinDef* latchPin = nullptr;    // Circuit item "reset" ("select" for PlayStation pads).
  const PinDef* dataPin = nullptr;     // Circuit item "data".
  const PinDef* powerPin = nullptr;    // Circuit item "power".
  const PinDef* commandPin = nullptr;  // Circuit item "command" (PlayStation pads only).
  const char* kindName = nullptr;      // The kind's section name: "snes".
  // Atari-style sticks: the line each button's switch closes (circuit items "up" .. "fire2");
  // Genesis pads: their six lines (circuit items "up" .. "c").
  std::array<const PinDef*, kMaxSwitchLines> switchPins{};
  ConnectedTest connectedTest = ConnectedTest::kDirections;
  // The identity byte of the last read (PlayStation pads); what the last read found of a
  // Genesis pad (the bits of genesis_read.h).
  uint8_t identity = 0;
  int8_t analogThreshold = 50;  // Percent of a stick's travel that presses its direction.
  int16_t buttonCount = 0;
  PerButton<const char*> buttonNames{};  // The kind's name of each button, in read order.
  PerButton<uint8_t> raw{};              // 1 when the button was pressed at the last read.
  PerButton<uint8_t> prevOut{};          // Each button's output at the tick before.
  PerButton<uint8_t> out{};              // Each button's output now.
  // What `toggle`, `repeatCount` and `repeatPeriod` hold is named in button_encoding.h.
  PerButton<uint8_t> toggle{};       // Latching flag and the latch's memory of the press.
  int8_t numShifts = 0;              // Shift states besides state 0.
  PerButton<int8_t> repeatCount{};   // Non-zero for a repeating button; its counter.
  PerButton<int8_t> repeatPeriod{};  // Counter value at which a repeating button steps.
  std::array<int8_t, kMaxShiftButtons> shiftButtons{};  // Button selecting shift state k + 1.
  PerButton<uint8_t> prevShiftIn{};
  PerButton<uint8_t> shiftIn{};
  uint8_t prevShift = 0;
  uint8_t shift = 0;      // The current shift state.
  KeyTable keyDown;       // Bytes sent when a button's output goes on, by shift state.
  KeyTable keyUp;         // Bytes sent when a button's output goes off, by shift state.
  int32_t padNumber = 0;  // 1 to 5: the number of the section the pad was found under.
  std::string header;     // That section's header as found, "[snes 1]".
  // Set while the pad fails the connected test at every tick: it counts as unplugged, and its
  // buttons as released, until it has passed the test at kReadsToCountAsBack ticks in a row.
  bool unplugged = false;
  int8_t connectedReads = 0;             // Passed tests in a row while unplugged.
  const SettingsFiles* files = nullptr;  // The execution's files; the pins come from them.
  // The pad's holds, double presses, taps and chords; none for a pad whose section has no
  // gesture item, whose buttons then follow their reads at once.
  std::shared_ptr<PadGestures> gestures;
};

}  // namespace zarvel
