#include "platform/sim/sim_game_pad.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "hardware/game_pads.h"

namespace zarvel {
namespace {

// The script's button that a pad kind's button name stands for.
constexpr std::optional<SimButton> ScriptButton(std::string_view name) {
  for (size_t i = 0; i < kSimButtonNames.size(); ++i) {
    if (kSimButtonNames[i] == name) {
      return static_cast<SimButton>(i);
    }
  }
  return std::nullopt;
}

// A kind's button order, as the script's buttons. A name the script does not know fails to
// compile.
template <size_t N>
constexpr std::array<SimButton, N> ScriptOrder(const std::array<const char*, N>& names) {
  std::array<SimButton, N> order{};
  for (size_t i = 0; i < N; ++i) {
    order[i] = ScriptButton(names[i]).value();
  }
  return order;
}

// The order in which a pad's shift register sends its buttons, button 0 first. Past the end of
// the register the data line is low, since the register shifts in from a grounded input.
constexpr auto kSnesOrder = ScriptOrder(kSnesButtonOrder);
constexpr auto kNesOrder = ScriptOrder(kNesButtonOrder);

struct SimPadModel {
  std::span<const SimButton> buttons;
  int32_t registerLength;
};

constexpr SimPadModel kSnesModel = {kSnesOrder, kSnesRegisterLength};
constexpr SimPadModel kNesModel = {kNesOrder, kNesRegisterLength};

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
