#include "pads/psx_read.h"

#include <algorithm>
#include <cstddef>

#include "hardware/game_pads.h"
#include "hardware/parallel_port_registers.h"
#include "pads/parallel_port.h"

namespace zarvel {
namespace {

// The commands of an exchange's first three bytes.
constexpr std::array<uint8_t, kPsxHeaderBytes> kPsxHeaderCommands = {kPsxCmdStart, kPsxCmdRead,
                                                                     kPsxCmdIdle};
constexpr int32_t kPercent = 100;

// The levels wanted on the three output lines.
struct PsxOutputs {
  bool select = true;
  bool clock = true;
  bool command = true;
};

void AddLevel(std::array<RegisterBits, kRegisterCount>& bits,
              std::array<bool, kRegisterCount>& touched, const PinDef* pin, bool high) {
  if (pin == nullptr) {
    return;
  }
  RegisterBits asserted;
  AddAssertedPin(asserted, *pin);
  RegisterBits& regBits = bits[static_cast<size_t>(pin->reg)];
  regBits.set = static_cast<uint8_t>(regBits.set | (high ? asserted.set : asserted.clear));
  regBits.clear = static_cast<uint8_t>(regBits.clear | (high ? asserted.clear : asserted.set));
  touched[static_cast<size_t>(pin->reg)] = true;
}

// Drives the three lines with one write of each register that carries any of them: with the
// kernel documentation's wiring, all three are data pins and this is one write.
void DriveOutputs(const ControlPad& lead, ParallelPort& port, PortIo& io, PsxOutputs levels) {
  std::array<RegisterBits, kRegisterCount> bits{};
  std::array<bool, kRegisterCount> touched{};
  AddLevel(bits, touched, lead.latchPin, levels.select);
  AddLevel(bits, touched, lead.clockPin, levels.clock);
  AddLevel(bits, touched, lead.commandPin, levels.command);
  for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
    if (touched[static_cast<size_t>(reg)]) {
      WriteRegisterBits(port, io, reg, bits[static_cast<size_t>(reg)]);
    }
  }
}

// Trades one byte with every pad: at each bit the command bit goes out with the clock low, each
// data register is read once, and the clock goes high for the pads to take the bit.
void ExchangeByte(std::span<ControlPad* const> pads, const std::array<bool, kRegisterCount>& reads,
                  uint8_t command, int byteIndex, ParallelPort& port, PortIo& io,
                  std::span<PsxFrame> frames) {
  const ControlPad& lead = *pads.front();
  for (int bit = 0; bit < kPsxBitsPerByte; ++bit) {
    const bool commandBit = (command >> bit & 1) != 0;
    DriveOutputs(lead, port, io, {.select = false, .clock = false, .command = commandBit});
    WaitMicroseconds(port.psxDelayUs);
    std::array<uint8_t, kRegisterCount> read{};
    for (int8_t reg = 0; reg < kRegisterCount; ++reg) {
      if (reads[static_cast<size_t>(reg)]) {
        read[static_cast<size_t>(reg)] = ReadRegister(port, io, reg);
      }
    }
    for (size_t p = 0; p < pads.size(); ++p) {
      const PinDef& data = *pads[p]->dataPin;
      if (PinLevelIn(data, read[static_cast<size_t>(data.reg)]) != 0) {
        uint8_t& byte = frames[p][static_cast<size_t>(byteIndex)];
        byte = static_cast<uint8_t>(byte | 1u << bit);
      }
    }
    DriveOutputs(lead, port, io, {.select = false, .clock = true, .command = commandBit});
    WaitMicroseconds(port.psxDelayUs);
  }
}

bool Answered(const PsxFrame& frame) {
  return frame[kPsxReadyByte] == kPsxAnswerReady && IsPsxIdentity(frame[kPsxIdentityByte]);
}

// Sets a stick's four directions, in the order up, down, left, right.
void DecodeStick(uint8_t across, uint8_t down, int32_t reach, int first, PerButton<uint8_t>& raw) {
  const int32_t x = across - kPsxStickCentre;
  const int32_t y = down - kPsxStickCentre;
  const size_t at = static_cast<size_t>(first);
  raw[at] = -y > reach ? 1 : 0;
  raw[at + 1] = y > reach ? 1 : 0;
  raw[at + 2] = -x > reach ? 1 : 0;
  raw[at + 3] = x > reach ? 1 : 0;
}

}  // namespace

void ShiftPsxLines(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io,
                   std::span<PsxFrame> frames) {
  const ControlPad& lead = *pads.front();
  std::array<bool, kRegisterCount> reads{};
  for (const ControlPad* pad : pads) {
    reads[static_cast<size_t>(pad->dataPin->reg)] = true;
  }
  std::fill(frames.begin(), frames.end(), PsxFrame{});
  const int32_t selectDelayUs = kPsxSelectDelayFactor * port.psxDelayUs;
  DriveOutputs(lead, port, io, {.select = true, .clock = true, .command = true});
  WaitMicroseconds(selectDelayUs);
  DriveOutputs(lead, port, io, {.select = false, .clock = true, .command = true});
  WaitMicroseconds(selectDelayUs);
  for (int b = 0; b < kPsxHeaderBytes; ++b) {
    ExchangeByte(pads, reads, kPsxHeaderCommands[static_cast<size_t>(b)], b, port, io, frames);
  }
  // The pads answer as many bytes as the longest answer among them; the others are done and
  // leave their lines alone.
  int dataBytes = 0;
  for (size_t p = 0; p < pads.size(); ++p) {
    if (Answered(frames[p])) {
      dataBytes = std::max(dataBytes, PsxDataBytesOf(frames[p][kPsxIdentityByte]));
    }
  }
  for (int b = 0; b < dataBytes; ++b) {
    ExchangeByte(pads, reads, kPsxCmdIdle, kPsxHeaderBytes + b, port, io, frames);
  }
  DriveOutputs(lead, port, io, {.select = true, .clock = true, .command = true});
}

void DecodePsxFrame(const PsxFrame& frame, ControlPad& pad) {
  std::fill_n(pad.raw.begin(), pad.buttonCount, uint8_t{0});
  if (!Answered(frame)) {
    pad.identity = 0;
    return;
  }
  pad.identity = frame[kPsxIdentityByte];
  const uint8_t* data = frame.data() + kPsxHeaderBytes;
  const int16_t digital = std::min(pad.buttonCount, kPsxDigitalButtonCount);
  for (int16_t i = 0; i < digital; ++i) {
    const uint8_t byte = data[i / kPsxBitsPerByte];
    pad.raw[static_cast<size_t>(i)] = (byte >> (i % kPsxBitsPerByte) & 1) == 0 ? 1 : 0;
  }
  if (!IsPsxAnalog(pad.identity) || PsxDataBytesOf(pad.identity) < kPsxMostDataBytes ||
      pad.buttonCount < kPsxButtonCount) {
    return;
  }
  const int32_t reach = kPsxStickCentre * pad.analogThreshold / kPercent;
  DecodeStick(data[kPsxLeftX], data[kPsxLeftY], reach, kPsxLeftUp, pad.raw);
  DecodeStick(data[kPsxRightX], data[kPsxRightY], reach, kPsxRightUp, pad.raw);
}

void ReadPsxPads(std::span<ControlPad* const> pads, ParallelPort& port, PortIo& io) {
  std::array<PsxFrame, kMaxPads> frames;
  const std::span<PsxFrame> used(frames.data(), pads.size());
  ShiftPsxLines(pads, port, io, used);
  for (size_t p = 0; p < pads.size(); ++p) {
    DecodePsxFrame(used[p], *pads[p]);
  }
}

void ReadPsxPad(ControlPad& pad, ParallelPort& port, PortIo& io) {
  ControlPad* const one[] = {&pad};
  ReadPsxPads(one, port, io);
}

}  // namespace zarvel
