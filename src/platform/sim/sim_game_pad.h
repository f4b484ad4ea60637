#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/sim/pad_script.h"

namespace zarvel {

// The two kinds of pad the simulated PC can have plugged in.
enum class SimPadKind : uint8_t { kSnes, kNes };

// The connector pins each line of a pad's cable is soldered to. A line soldered to several pins
// joins them; a line on pin 0 or on no pin is not connected to the port at all.
struct PadCable {
  std::vector<int32_t> clock;
  std::vector<int32_t> latch;
  std::vector<int32_t> power;
  std::vector<int32_t> data;
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
class SimGamePad {
 public:
  // `input` tells what the person holding the pad does at the moment it is asked.
  SimGamePad(SimPadKind kind, PadCable cable, std::function<PadInput()> input);

  SimPadKind Kind() const { return kind_; }
  const PadCable& Cable() const { return cable_; }

  // Takes the power from the power line only, as a pad without a supply of its own does.
  void SetPoweredFromOutside(bool powered) { poweredFromOutside_ = powered; }

  // Tells the pad the levels of its input lines; called whenever the port's outputs change.
  void SeeLines(bool latch, bool clock, bool power);

  // What the pad does to its data line now.
  LineDrive DataDrive() const;

 private:
  bool Powered() const { return poweredFromOutside_ || power_; }
  PadInput Input() const;

  SimPadKind kind_;
  PadCable cable_;
  std::function<PadInput()> input_;
  bool poweredFromOutside_ = true;
  bool power_ = false;
  bool clock_ = false;
  uint16_t shiftRegister_ = 0;  // One bit per shifted-out position, 1 when pressed.
  int32_t position_ = 0;        // The register position on the data line.
};

}  // namespace zarvel
