#include "platform/sim/sim_game_pad.h"

#include <algorithm>
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
constexpr auto kPsxOrder = ScriptOrder(kPsxButtonOrder);
constexpr auto kAtariOrder = ScriptOrder(kAtariButtonOrder);
constexpr auto kGenesisOrder = ScriptOrder(kGenesisButtonOrder);

// What a Genesis pad's six lines show in each of its phases, as places in its button order;
// kGrounded for a line the pad holds low.
constexpr int kGrounded = -1;
constexpr std::array<int, 6> kGenesisSelectHigh = {0, 1, 2, 3, 4, 5};
constexpr std::array<int, 6> kGenesisSelectLow = {0, 1, kGrounded, kGrounded, 6, 7};
constexpr std::array<int, 6> kGenesisThirdHigh = {8, 9, 10, 11, 4, 5};
constexpr std::array<int, 6> kGenesisThirdLow = {kGrounded, kGrounded, kGrounded, kGrounded, 6, 7};
constexpr int32_t kGenesisExtraPhaseRises = 3;

// A stick's position on one axis from the directions held: fully one way, or at rest.
uint8_t StickAxis(const PadInput& input, SimButton less, SimButton more) {
  constexpr uint8_t kFullyLess = 0x00;
  constexpr uint8_t kFullyMore = 0xFF;
  if (input.Holds(less) == input.Holds(more)) {
    return static_cast<uint8_t>(kPsxStickCentre);
  }
  return input.Holds(less) ? kFullyLess : kFullyMore;
}

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
  position_ = kind_ == SimPadKind::kPsx ? 0 : ModelOf(kind_).registerLength;
}

void SimGamePad::StartPsxAnswer() {
  const PadInput input = Input();
  const bool analog = input.AnswersAnalog();
  answer_.fill(0xFF);
  answer_[kPsxIdentityByte] = analog ? kPsxIdAnalogRed : kPsxIdDigital;
  answer_[kPsxReadyByte] = kPsxAnswerReady;
  for (size_t i = 0; i < static_cast<size_t>(kPsxDigitalButtonCount); ++i) {
    if (input.Holds(kPsxOrder[i])) {
      uint8_t& byte = answer_[kPsxHeaderBytes + i / kPsxBitsPerByte];
      byte = static_cast<uint8_t>(byte & ~(1u << (i % kPsxBitsPerByte)));
    }
  }
  if (analog) {
    uint8_t* data = answer_.data() + kPsxHeaderBytes;
    data[kPsxRightX] = StickAxis(input, SimButton::kRightStickLeft, SimButton::kRightStickRight);
    data[kPsxRightY] = StickAxis(input, SimButton::kRightStickUp, SimButton::kRightStickDown);
    data[kPsxLeftX] = StickAxis(input, SimButton::kLeftStickLeft, SimButton::kLeftStickRight);
    data[kPsxLeftY] = StickAxis(input, SimButton::kLeftStickUp, SimButton::kLeftStickDown);
  }
  psxByte_ = 0;
  psxBit_ = 0;
  commandByte_ = 0;
  addressed_ = false;
}

void SimGamePad::SeePsxLines(bool select, bool risingClock, bool command) {
  if (select) {
    selected_ = false;
    return;
  }
  if (!selected_) {
    // Select has just fallen: the pad takes what the person does now for its answer.
    selected_ = true;
    StartPsxAnswer();
    return;
  }
  if (!risingClock || psxByte_ >= kPsxFrameBytes) {
    return;
  }
  if (command) {
    commandByte_ = static_cast<uint8_t>(commandByte_ | 1u << psxBit_);
  }
  if (++psxBit_ < kPsxBitsPerByte) {
    return;
  }
  // A whole command byte: the start byte addresses the pad, and it answers only the read
  // command; any other exchange it sits out.
  if (psxByte_ == 0) {
    addressed_ = commandByte_ == kPsxCmdStart;
  } else if (psxByte_ == kPsxIdentityByte && commandByte_ != kPsxCmdRead) {
    addressed_ = false;
  }
  ++psxByte_;
  psxBit_ = 0;
  commandByte_ = 0;
}

void SimGamePad::SeeGenesisSelect(bool select) {
  if (select == select_) {
    return;
  }
  select_ = select;
  const int64_t tick = Input().tick;
  if (tick != lastEdgeTick_) {
    // The line rested since the last edge: the pad counts afresh.
    selectRises_ = 0;
  }
  lastEdgeTick_ = tick;
  if (select) {
    ++selectRises_;
  }
}

LineDrive SimGamePad::GenesisLineDrive(size_t line) const {
  const PadInput input = Input();
  if (!input.plugged || !Powered()) {
    return LineDrive::kNone;
  }
  const bool extraPhase = !input.threeButtons && selectRises_ == kGenesisExtraPhaseRises;
  const std::array<int, 6>& shown = select_ ? (extraPhase ? kGenesisThirdHigh : kGenesisSelectHigh)
                                            : (extraPhase ? kGenesisThirdLow : kGenesisSelectLow);
  const int button = shown[line];
  if (button == kGrounded) {
    return LineDrive::kLow;
  }
  return input.Holds(kGenesisOrder[static_cast<size_t>(button)]) ? LineDrive::kLow
                                                                 : LineDrive::kHigh;
}

LineDrive SimGamePad::DriveAt(int32_t pin) const {
  const auto has = [pin](const std::vector<int32_t>& pins) {
    return std::find(pins.begin(), pins.end(), pin) != pins.end();
  };
  if (kind_ == SimPadKind::kGenesis) {
    for (size_t line = 0; line < cable_.switches.size(); ++line) {
      if (has(cable_.switches[line])) {
        return GenesisLineDrive(line);
      }
    }
    return LineDrive::kNone;
  }
  return has(cable_.data) ? DataDrive() : LineDrive::kNone;
}

void SimGamePad::SeeLines(bool latch, bool clock, bool power, bool command) {
  const bool risingClock = clock && !clock_;
  clock_ = clock;
  power_ = power;
  if (kind_ == SimPadKind::kGenesis) {
    SeeGenesisSelect(latch);
    return;
  }
  if (kind_ == SimPadKind::kPsx) {
    if (!Powered()) {
      selected_ = false;
      return;
    }
    SeePsxLines(latch, risingClock, command);
    return;
  }
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
  if (kind_ == SimPadKind::kAtari && !Input().plugged) {
    // Nothing closes the common line: the pull-up holds it high.
    return LineDrive::kHigh;
  }
  if (!Input().plugged || !Powered()) {
    return LineDrive::kLow;
  }
  if (kind_ == SimPadKind::kAtari) {
    for (size_t i = 0; i < kAtariOrder.size(); ++i) {
      if (Input().Holds(kAtariOrder[i]) && !switchLevels_[i]) {
        return LineDrive::kLow;
      }
    }
    return LineDrive::kHigh;
  }
  if (kind_ == SimPadKind::kPsx) {
    // Before the start byte is in, every pad shows the start byte's answer (all high); after
    // it, only the pad it addressed goes on answering.
    const bool answering = selected_ && psxByte_ < kPsxFrameBytes && (psxByte_ == 0 || addressed_);
    if (!answering) {
      return LineDrive::kHigh;
    }
    const bool high = (answer_[static_cast<size_t>(psxByte_)] >> psxBit_ & 1) != 0;
    return high ? LineDrive::kHigh : LineDrive::kLow;
  }
  if (position_ >= ModelOf(kind_).registerLength) {
    return LineDrive::kLow;
  }
  const bool pressed = (shiftRegister_ >> position_ & 1) != 0;
  return pressed ? LineDrive::kLow : LineDrive::kHigh;
}

}  // namespace zarvel
