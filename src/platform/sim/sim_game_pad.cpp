#include "platform/sim/sim_game_pad.h"

#include <span>

namespace zarvel {
namespace {

// The order in which a pad's shift register sends its buttons, button 0 first. An SNES pad's
// register is 16 positions long; its last four are not wired to buttons and always read
// released. Past the end of the register the data line is low, since the register shifts in
// from a grounded input.
constexpr SimButton kSnesOrder[] = {
    SimButton::kB,  SimButton::kY,    SimButton::kSelect, SimButton::kStart,
    SimButton::kUp, SimButton::kDown, SimButton::kLeft,   SimButton::kRight,
    SimButton::kA,  SimButton::kX,    SimButton::kL,      SimButton::kR,
};
constexpr SimButton kNesOrder[] = {
    SimButton::kA,  SimButton::kB,    SimButton::kSelect, SimButton::kStart,
    SimButton::kUp, SimButton::kDown, SimButton::kLeft,   SimButton::kRight,
};

struct SimPadModel {
  std::span<const SimButton> buttons;
  int32_t registerLength;
};

constexpr SimPadModel kSnesModel = {kSnesOrder, 16};
constexpr SimPadModel kNesModel = {kNesOrder, 8};

const SimPadModel& ModelOf(SimPadKind kind) {
  return kind == SimPadKind::kSnes ? kSnesModel : kNesModel;
}

}  // namespace

PadInput SimGamePad::Input() const {
  return input_ ? input_() : PadInput{};
}

SimGamePad::SimGamePad(SimPadKind kind, PadCable cable, std::function<PadInput()> input)
    : kind_(kind), cable_(std::move(cable)), input_(std::move(input)) {
  // Until its first latch the register holds nothing the pad would send.
  position_ = ModelOf(kind_).registerLength;
}

void SimGamePad::SeeLines(bool latch, bool clock, bool power) {
  const bool risingClock = clock && !clock_;
  clock_ = clock;
  power_ = power;
  const SimPadModel& model = ModelOf(kind_);
  if (!Powered()) {
    // Without power the register forgets what it held.
    position_ = model.registerLength;
    return;
  }
  if (latch) {
    const PadInput input = Input();
    shiftRegister_ = 0;
    for (size_t i = 0; i < model.buttons.size(); ++i) {
      if (input.Holds(model.buttons[i])) {
        shiftRegister_ = static_cast<uint16_t>(shiftRegister_ | 1u << i);
      }
    }
    position_ = 0;
  } else if (risingClock && position_ < model.registerLength) {
    ++position_;
  }
}

LineDrive SimGamePad::DataDrive() const {
  // The cable of a pad that is not plugged in leaves the data line to the port, where nothing
  // pulls it up: the line is held low. An unpowered pad's output sits at ground as well.
  if (!Input().plugged || !Powered()) {
    return LineDrive::kLow;
  }
  if (position_ >= ModelOf(kind_).registerLength) {
    return LineDrive::kLow;
  }
  const bool pressed = (shiftRegister_ >> position_ & 1) != 0;
  return pressed ? LineDrive::kLow : LineDrive::kHigh;
}

}  // namespace zarvel
