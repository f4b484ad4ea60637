#include "pads/switch_read.h"

#include <array>
#include <cstddef>

#include "hardware/parallel_port_registers.h"
#include "pads/parallel_port.h"

namespace zarvel {
namespace {

// Every switch line of the lead stick high but `low`: one write for lines on one register.
void DriveSwitchLines(const ControlPad& lead, int low, ParallelPort& port, PortIo& io) {
  std::array<RegisterBits, kRegisterCount> bits{};
  std::array<bool, kRegisterCount> touched{};
  for (int16_t i = 0; i < lead.buttonCount; ++i) {
    const PinDef* pin = lead.switchPins[static_cast<size_t>(i)];
    if (pin == nullptr) {
      continue;
    }
    RegisterBits asserted;
    AddAssertedPin(asserted, *pin);
    RegisterBits& regBits = bits[static_cast<size_t>(pin->reg)];
    const bool high = i != low;
    regBits.set = static_cast<uint8_t>(regBits.set | (high ? asserted.set : asserted.clear));
    regBits.clear = static_cast<uint8_t>(regBits.clear | (high ? asserted.clear : asserted.set));
    touched[static_cast<size_t>(pin->reg)] = true;
  }
  for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
    if (touched[static_cast<size_t>(reg)]) {
      WriteRegisterBits(port, io, reg, bits[static_cast<size_t>(reg)]);
    }
  }
}

}  // namespace

void ShiftSwitchLines(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io,
                      std::span<SwitchLevels> levels) {
  const ControlPad& lead = *pads.front();
  std::array<bool, kRegisterCount> reads{};
  for (const ControlPad* pad : pads) {
    reads[static_cast<size_t>(pad->dataPin->reg)] = true;
  }
  for (int16_t line = 0; line < lead.buttonCount; ++line) {
    DriveSwitchLines(lead, line, port, io);
    std::array<uint8_t, kRegisterCount> read{};
    for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
      if (reads[static_cast<size_t>(reg)]) {
        read[static_cast<size_t>(reg)] = ReadRegister(port, io, reg);
      }
    }
    for (size_t p = 0; p < pads.size(); ++p) {
      const PinDef& data = *pads[p]->dataPin;
      levels[p][static_cast<size_t>(line)] = PinLevelIn(data, read[static_cast<size_t>(data.reg)]);
    }
  }
}

void DecodeSwitchLevels(const SwitchLevels& levels, ControlPad& pad) {
  for (int16_t i = 0; i < pad.buttonCount; ++i) {
    const size_t at = static_cast<size_t>(i);
    pad.raw[at] = levels[at] == 0 ? 1 : 0;
  }
}

void ReadSwitchPads(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io) {
  std::array<SwitchLevels, kMaxPads> levels{};
  const std::span<SwitchLevels> used(levels.data(), pads.size());
  ShiftSwitchLines(pads, port, io, used);
  for (size_t p = 0; p < pads.size(); ++p) {
    DecodeSwitchLevels(used[p], *pads[p]);
  }
}

void ReadAtariPad(ControlPad& pad, ParallelPort& port, PortIo& io) {
  ControlPad* const one[] = {&pad};
  ReadSwitchPads(one, port, io);
}

}  // namespace zarvel
