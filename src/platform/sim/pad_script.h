#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/pad_sections.h"

namespace zarvel {

// Every button a simulated pad can have, by the name scripts give it. A pad ignores the
// buttons its kind does not have: an NES pad has no x, y, l or r, an SNES pad no triangle.
enum class SimButton : uint8_t {
  kA,
  kB,
  kX,
  kY,
  kL,
  kR,
  kSelect,
  kStart,
  kUp,
  kDown,
  kLeft,
  kRight,
  kL1,
  kR1,
  kL2,
  kR2,
  kL3,
  kR3,
  kTriangle,
  kCircle,
  kCross,
  kSquare,
  kLeftStickUp,
  kLeftStickDown,
  kLeftStickLeft,
  kLeftStickRight,
  kRightStickUp,
  kRightStickDown,
  kRightStickLeft,
  kRightStickRight,
  kFire,
  kFire2,
  kC,
  kZ,
  kMode,
};
inline constexpr size_t kSimButtonCount = 35;
inline constexpr std::array<std::string_view, kSimButtonCount> kSimButtonNames = {
    "a",        "b",      "x",      "y",      "l",     "r",     "select", "start",  "up",
    "down",     "left",   "right",  "l1",     "r1",    "l2",    "r2",     "l3",     "r3",
    "triangle", "circle", "cross",  "square", "lup",   "ldown", "lleft",  "lright", "rup",
    "rdown",    "rleft",  "rright", "fire",   "fire2", "c",     "z",      "mode",
};
// The first of the eight stick directions above: a pad holding one of them answers as analog.
inline constexpr SimButton kFirstStickButton = SimButton::kLeftStickUp;
inline constexpr unsigned kStickDirections = 8;

// One bit per SimButton.
using SimButtonBits = uint64_t;
static_assert(kSimButtonCount <= sizeof(SimButtonBits) * 8);

// The button a script names, letter case aside; nothing for a name no pad has.
std::optional<SimButton> SimButtonNamed(std::string_view name);

// What a person does with one pad at one moment: which buttons they hold, or whether the pad is
// plugged in at all.
struct PadInput {
  bool plugged = true;
  SimButtonBits held = 0;  // One bit per SimButton.
  // A PlayStation pad answers as analog, sending its sticks, rather than as digital (which is
  // also how a dance mat answers). Holding a stick direction makes it analog as well.
  bool analog = false;
  // A Genesis pad answers as a three-button pad rather than as a six-button one.
  bool threeButtons = false;
  // The tick the PC is in when the pad is asked. A Genesis pad whose select line rests for a
  // while starts counting its pulses afresh; between ticks it always has.
  int64_t tick = 0;

  bool Holds(SimButton button) const { return (held >> static_cast<unsigned>(button) & 1) != 0; }
  void Hold(SimButton button) { held |= SimButtonBits{1} << static_cast<unsigned>(button); }
  bool AnswersAnalog() const {
    return analog ||
           (held >> static_cast<unsigned>(kFirstStickButton) & ((1u << kStickDirections) - 1)) != 0;
  }
};

// One line of a script: from `tick` on, pad `pad` (its position in discovery order) is in `input`.
struct PadScriptLine {
  int32_t tick = 0;
  int32_t pad = 0;
  PadInput input;
};

// Pads are numbered from 1 in a script, in the order the execution discovers them.
inline constexpr int32_t kFirstScriptPad = 1;
inline constexpr int32_t kLastScriptPad = kMaxPads;

// What the simulated pads do, tick by tick. Tick 0 is the configuration, when each pad is read
// once for the connected test; the ticks proper count from 1. Without a line for it, a pad is
// plugged in and idle; after one, it stays as that line says until a later line for it.
class PadScript {
 public:
  PadScript() = default;
  explicit PadScript(std::vector<PadScriptLine> lines);

  // Found by a binary search among the pad's own lines, so that a tick costs the same however
  // long the script is.
  PadInput StateAt(int32_t pad, int32_t tick) const;
  const std::vector<PadScriptLine>& Lines() const { return lines_; }

 private:
  std::vector<PadScriptLine> lines_;  // In order of tick.
  // For each pad number, where its lines are in `lines_`, in order.
  std::array<std::vector<uint32_t>, kLastScriptPad + 1> padLines_;
};

// A pad script larger than this is refused: scripts are written by people or by tests, and a
// stream without end (such as /dev/zero) must not fill the memory.
inline constexpr size_t kMaxPadScriptBytes = size_t{64} << 20;

// A script, or the reason it was refused as "FILE:LINE: what is wrong".
struct ParsedPadScript {
  std::optional<PadScript> script;
  std::string error;
};

// Reads a script: blank lines and lines starting with "#" are skipped; every other line is
// "TICK PAD BUTTON...", with "-" for no button and "unplugged" for a pad whose data line is held
// low. The word "analog" among the buttons makes a PlayStation pad answer as an analog pad, the
// word "threebutton" a Genesis pad answer as a three-button pad. Lines
// come in order of TICK.
ParsedPadScript ParsePadScript(std::string_view text, std::string_view fileName);

// ParsePadScript on the contents of a file, of at most kMaxPadScriptBytes. The file may be a
// pipe or a FIFO: while the load reads or waits for its writer, SIGINT and SIGTERM end the
// process even in a thread that blocks them.
ParsedPadScript LoadPadScript(const std::string& path);

}  // namespace zarvel
