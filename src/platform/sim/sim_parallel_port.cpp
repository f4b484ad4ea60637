#include "platform/sim/sim_parallel_port.h"

#include <algorithm>

namespace zarvel {
namespace {

// One register bit and the connector pin it belongs to.
struct RegisterPin {
  uint8_t bit;
  int32_t pin;
};

constexpr RegisterPin kStatusPins[] = {
    {kParStatusError, 15}, {kParStatusSelect, 13}, {kParStatusPaperEnd, 12},
    {kParStatusAck, 10},   {kParStatusBusy, 11},
};

constexpr RegisterPin kControlPins[] = {
    {kParControlStrobe, 1},
    {kParControlAutoFeed, 14},
    {kParControlInit, 16},
    {kParControlSelectIn, 17},
};

// Data bit i drives pin kFirstDataPin + i.
constexpr int32_t kFirstDataPin = 2;
constexpr int32_t kLastDataPin = 9;
constexpr uint8_t kControlLines = 0x0F;

const RegisterPin* Find(const auto& table, int32_t pin) {
  for (const RegisterPin& entry : table) {
    if (entry.pin == pin) {
      return &entry;
    }
  }
  return nullptr;
}

bool Contains(const std::vector<int32_t>& pins, int32_t pin) {
  return std::find(pins.begin(), pins.end(), pin) != pins.end();
}

}  // namespace

SimParallelPort::SimParallelPort(int32_t base) : base_(static_cast<uint16_t>(base)) {}

bool SimParallelPort::Claims(uint16_t port) const {
  return static_cast<uint16_t>(port - base_) <= kParRegControl;
}

uint8_t SimParallelPort::Read(uint16_t port) {
  switch (static_cast<uint16_t>(port - base_)) {
    case kParRegData:
      return data_;
    case kParRegStatus:
      return ReadStatus();
    default:
      return ReadControl();
  }
}

void SimParallelPort::Write(uint16_t port, uint8_t value) {
  switch (static_cast<uint16_t>(port - base_)) {
    case kParRegData:
      WriteData(value);
      break;
    case kParRegStatus:
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

uint8_t SimParallelPort::ReadStatus() const {
  uint8_t status = kParStatusUnused;
  for (const RegisterPin& entry : kStatusPins) {
    if (PinLevel(entry.pin)) {
      status |= entry.bit;
    }
  }
  return static_cast<uint8_t>(status ^ kParStatusInverted);
}

uint8_t SimParallelPort::ReadControl() const {
  uint8_t lines = 0;
  for (const RegisterPin& entry : kControlPins) {
    if (PinLevel(entry.pin)) {
      lines |= entry.bit;
    }
  }
  // The upper bits are the port's own settings and read back as written.
  return static_cast<uint8_t>((control_ & ~kControlLines) | (lines ^ kParControlInverted));
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
  if (pin >= kFirstDataPin && pin <= kLastDataPin) {
    return (data_ >> (pin - kFirstDataPin) & 1) != 0;
  }
  if (const RegisterPin* entry = Find(kControlPins, pin)) {
    const uint8_t levels = static_cast<uint8_t>(control_ ^ kParControlInverted);
    return (levels & entry->bit) != 0;
  }
  return false;
}

bool SimParallelPort::PinLevel(int32_t pin) const {
  if (pin >= kFirstDataPin && pin <= kLastDataPin) {
    // The data register's outputs are stronger than anything a pad puts on them.
    return PortDrivesHigh(pin);
  }
  const bool controlPin = Find(kControlPins, pin) != nullptr;
  if (!controlPin && Find(kStatusPins, pin) == nullptr) {
    return false;  // Pin 0 is no line, and 18 to 25 are ground.
  }
  bool padPullsLow = false;
  bool padDrivesHigh = false;
  for (const SimGamePad* pad : pads_) {
    if (Contains(pad->Cable().data, pin)) {
      const LineDrive drive = pad->DataDrive();
      padPullsLow = padPullsLow || drive == LineDrive::kLow;
      padDrivesHigh = padDrivesHigh || drive == LineDrive::kHigh;
    }
  }
  if (controlPin) {
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
                  LineLevel(pad->Cable().power));
  }
}

}  // namespace zarvel
