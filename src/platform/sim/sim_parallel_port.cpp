#include "platform/sim/sim_parallel_port.h"

#include <algorithm>

#include "hardware/pin_table.h"

namespace zarvel {
namespace {

// The definition of a connector pin, or null for a pin that carries no line of the registers
// (pin 0 names none, and pins 18 to 25 are ground).
const PinDef* LineOf(int32_t pin) {
  if (pin < 0 || pin >= kPinTableSize || PinTable[static_cast<size_t>(pin)].mask == 0) {
    return nullptr;
  }
  return &PinTable[static_cast<size_t>(pin)];
}

// The level a register bit stands for: the bit itself, or its complement where the port
// hardware inverts the line.
bool BitLevel(uint8_t registerValue, const PinDef& line) {
  return ((registerValue & line.mask) != 0) != (line.inverted != 0);
}

}  // namespace

SimParallelPort::SimParallelPort(int32_t base) : base_(static_cast<uint16_t>(base)) {}

bool SimParallelPort::Claims(uint16_t port) const {
  return static_cast<uint16_t>(port - base_) < kRegisterCount;
}

uint8_t SimParallelPort::Read(uint16_t port) {
  switch (static_cast<uint16_t>(port - base_)) {
    case kDataRegister:
      // Turned to input, the register shows the connector's levels instead of what was written.
      return DataLinesRead() ? RegisterLines(kDataRegister) : data_;
    case kStatusRegister:
      return ReadStatus();
    default:
      return ReadControl();
  }
}

void SimParallelPort::Write(uint16_t port, uint8_t value) {
  switch (static_cast<uint16_t>(port - base_)) {
    case kDataRegister:
      WriteData(value);
      break;
    case kStatusRegister:
      // The status register has nothing to write; the write is lost, as on the hardware.
      break;
    default:
      WriteControl(value);
      break;
  }
}

void SimParallelPort::Plug(SimGamePad& pad) {
  pads_.push_back(&pad);
  UpdatePads();
}

uint8_t SimParallelPort::RegisterLines(int8_t reg) const {
  uint8_t lines = 0;
  for (int32_t pin = 0; pin < kPinTableSize; ++pin) {
    const PinDef* line = LineOf(pin);
    // A register bit is the level at the pin, or its complement where the hardware inverts it.
    if (line != nullptr && line->reg == reg && PinLevel(pin) != (line->inverted != 0)) {
      lines |= line->mask;
    }
  }
  return lines;
}

uint8_t SimParallelPort::ReadStatus() const {
  return static_cast<uint8_t>(kParStatusUnused | RegisterLines(kStatusRegister));
}

uint8_t SimParallelPort::ReadControl() const {
  // The upper bits are the port's own settings and read back as written.
  return static_cast<uint8_t>((control_ & ~kParControlLines) | RegisterLines(kControlRegister));
}

void SimParallelPort::WriteData(uint8_t value) {
  data_ = value;
  UpdatePads();
}

void SimParallelPort::WriteControl(uint8_t value) {
  control_ = value;
  UpdatePads();
}

bool SimParallelPort::PortDrivesHigh(int32_t pin) const {
  const PinDef* line = LineOf(pin);
  if (line == nullptr) {
    return false;
  }
  switch (line->reg) {
    case kDataRegister:
      return BitLevel(data_, *line);
    case kControlRegister:
      return BitLevel(control_, *line);
    default:
      return false;  // The port only reads the status lines.
  }
}

bool SimParallelPort::PinLevel(int32_t pin) const {
  const PinDef* line = LineOf(pin);
  if (line == nullptr) {
    return false;
  }
  if (line->reg == kDataRegister && !DataLinesRead()) {
    // The data register's outputs are stronger than anything a pad puts on them.
    return PortDrivesHigh(pin);
  }
  bool padPullsLow = false;
  bool padDrivesHigh = false;
  for (const SimGamePad* pad : pads_) {
    const LineDrive drive = pad->DriveAt(pin);
    padPullsLow = padPullsLow || drive == LineDrive::kLow;
    padDrivesHigh = padDrivesHigh || drive == LineDrive::kHigh;
  }
  if (line->reg == kDataRegister) {
    // A data line turned to input that nothing pulls low floats high, as TTL inputs do.
    return !padPullsLow;
  }
  if (line->reg == kControlRegister) {
    return PortDrivesHigh(pin) && !padPullsLow;
  }
  return padDrivesHigh && !padPullsLow;
}

bool SimParallelPort::LineLevel(const std::vector<int32_t>& pins) const {
  if (pins.empty()) {
    return false;
  }
  return std::all_of(pins.begin(), pins.end(), [this](int32_t pin) { return PinLevel(pin); });
}

void SimParallelPort::UpdatePads() {
  for (SimGamePad* pad : pads_) {
    pad->SeeLines(LineLevel(pad->Cable().latch), LineLevel(pad->Cable().clock),
                  LineLevel(pad->Cable().power), LineLevel(pad->Cable().command));
    if (pad->Kind() == SimPadKind::kAtari) {
      std::array<bool, 6> levels{};
      for (size_t i = 0; i < levels.size(); ++i) {
        levels[i] = LineLevel(pad->Cable().switches[i]);
      }
      pad->SeeSwitchLines(levels);
    }
  }
}

}  // namespace zarvel
