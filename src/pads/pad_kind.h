#pragma once

#include <cstdint>
#include <string_view>

#include "hardware/game_pads.h"
#include "pads/control_pad.h"

namespace zarvel {

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
  const char* const* buttonNames;  // Slot i names the i-th button shifted out after the latch.
  NotConnectedStop notConnectedStop;
  const char* notConnectedText;
  PadReadFunc read;  // Reads one pad by itself.
  ConnectedTest connectedTest;
  const char* article;  // Before the shown name in a sentence: "an SNES pad", "a PSX pad".
};

extern const PadKind kSnesPad;
extern const PadKind kNesPad;
extern const PadKind kPsxPad;
extern const PadKind kGenesisPad;
extern const PadKind kAtariPad;

// The kind whose section name is `name` ("snes", "nes", "psx"); null for any other name.
const PadKind* FindPadKind(std::string_view name);

}  // namespace zarvel
