#pragma once

#include <cstdint>

#include "pads/control_pad.h"

namespace zarvel {

// Room for one button name: up to eight characters and the terminating NUL.
inline constexpr int kButtonNameRoom = 9;

// The button names of each kind, slot i naming the i-th bit shifted out after the latch pulse.
// The slots past the kind's buttons are empty.
extern const char SnesButtonNames[kMaxButtons][kButtonNameRoom];
extern const char NesButtonNames[kMaxButtons][kButtonNameRoom];

// Both kinds shift the direction pad out as bits 4 to 7. A pad whose data line is not driven
// reads every bit as pressed, and no real pad can press up with down or left with right.
inline constexpr int kButtonUp = 4;
inline constexpr int kButtonDown = 5;
inline constexpr int kButtonLeft = 6;
inline constexpr int kButtonRight = 7;

// How a pad that fails the connected test ends things.
enum class NotConnectedStop : uint8_t {
  kEndExecution,  // The execution ends with a "Bad Thing".
  kEndProcess,    // The whole process ends.
};

// Everything that sets one pad kind apart from the other.
struct PadKind {
  const char* name;       // In section headers, the circuit file and messages: "snes".
  const char* shownName;  // In the power-up trace: "SNES".
  int16_t buttonCount;
  const char (*buttonNames)[kButtonNameRoom];
  NotConnectedStop notConnectedStop;
  const char* notConnectedText;
};

extern const PadKind kSnesPad;
extern const PadKind kNesPad;

}  // namespace zarvel
