#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "hardware/psx_protocol.h"
#include "platform/sim/pad_script.h"

namespace zarvel {

// The kinds of pad the simulated PC can have plugged in.
enum class SimPadKind : uint8_t { kSnes, kNes, kPsx, kAtari, kGenesis };

// The connector pins each line of a pad's cable is soldered to. A line soldered to several pins
// joins them; a line on pin 0 or on no pin is not connected to the port at all.
struct PadCable {
  std::vector<int32_t> clock;
  std::vector<int32_t> latch;
  std::vector<int32_t> power;
  std::vector<int32_t> data;
  std::vector<int32_t> command;  // PlayStation pads only; their select line is `latch`.
  // Atari-style sticks only: the line each button's switch closes onto `data`. Genesis pads
  // only: their six lines (up, down, left, right, b, c); their select line is `latch`.
  std::array<std::vector<int32_t>, 6> switches{};
};

// What a pad does to its data line.
enum class LineDrive : uint8_t {
  kNone,  // Leaves it to the port.
  kLow,
  kHigh,
};

// An SNES or NES pad as its shift register behaves. While the latch line is high the register
// follows the buttons and the data line shows the first one; after the latch falls, every rising
// edge of the clock moves the next one onto the data line. A pressed button drives the line low.
// The pad works only while it has power: from outside (the default) or from its power line.
//
// A PlayStation pad trades bytes instead, least significant bit first, while its select line
// (`latch`) is low: at every rising clock edge it takes a bit from the command line and moves
// to the next bit of its answer. It answers a start byte with its identity (digital, or analog
// when the person pushes a stick or the script says "analog"), then the ready byte, its buttons
// (a pressed one a 0 bit) and, as analog pad, its sticks. A pad not addressed leaves its data
// line high.
//
// An Atari-style stick closes, for each button held, that button's line onto its common line
// (`data`), which the port's pull-up holds high otherwise: the common line is low while any
// held button's line is driven low.
//
// A Genesis pad drives its six lines (low for a pressed button) with what its select line asks
// for: with select high the directions, b and c; with select low up, down, a and start, left and
// right grounded. A six-button pad counts select's rising edges since it last rested (a tick
// without an edge): in the third high phase its direction lines show z, y, x and mode, and in
// the low phase after it all four are grounded. Unplugged or unpowered it drives nothing.
class SimGamePad {
 public:
  // `input` tells what the person holding the pad does at the moment it is asked.
  SimGamePad(SimPadKind kind, PadCable cable, std::function<PadInput()> input);

  SimPadKind Kind() const { return kind_; }
  const PadCable& Cable() const { return cable_; }

  // Takes the power from the power line only, as a pad without a supply of its own does.
  void SetPoweredFromOutside(bool powered) { poweredFromOutside_ = powered; }

  // Tells the pad the levels of its input lines; called whenever the port's outputs change.
  void SeeLines(bool latch, bool clock, bool power, bool command = false);
  // An Atari-style stick's switch lines, by button, whenever the port's outputs change.
  void SeeSwitchLines(const std::array<bool, 6>& levels) { switchLevels_ = levels; }

  // What the pad does to its data line now.
  LineDrive DataDrive() const;
  // What the pad does to a connector pin now: its data line's drive where that is soldered, a
  // Genesis pad's line where one of them is, and nothing elsewhere.
  LineDrive DriveAt(int32_t pin) const;

 private:
  bool Powered() const { return poweredFromOutside_ || power_; }
  PadInput Input() const;
  void SeePsxLines(bool select, bool risingClock, bool command);
  void StartPsxAnswer();

  SimPadKind kind_;
  PadCable cable_;
  std::function<PadInput()> input_;
  bool poweredFromOutside_ = true;
  bool power_ = false;
  bool clock_ = false;
  uint16_t shiftRegister_ = 0;  // One bit per shifted-out position, 1 when pressed.
  int32_t position_ = 0;        // The register position on the data line.
  // A PlayStation pad's exchange: its answer, the byte and bit on the data line, and the
  // command byte taken so far.
  bool selected_ = false;
  std::array<uint8_t, kPsxFrameBytes> answer_{};
  int32_t psxByte_ = 0;
  int32_t psxBit_ = 0;
  uint8_t commandByte_ = 0;
  bool addressed_ = false;
  std::array<bool, 6> switchLevels_{};
  // A Genesis pad's select line, the rising edges it has counted and the tick of the last edge.
  bool select_ = false;
  int32_t selectRises_ = 0;
  int64_t lastEdgeTick_ = -1;

  void SeeGenesisSelect(bool select);
  LineDrive GenesisLineDrive(size_t line) const;
};

}  // namespace zarvel
