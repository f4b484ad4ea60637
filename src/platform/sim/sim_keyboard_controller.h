#pragma once

#include <cstdint>

#include "platform/sim/sim_device.h"

namespace zarvel {

class SimKeyboardHandler;

// The Intel 8042 keyboard controller of the simulated PC: data port 0x60, status and command
// port 0x64. The controller acts on a byte written to either port at once, but its status
// shows the input buffer full until the next status read, as a program polling the real chip
// sees it for a moment. A command either acts at once or, for a two-byte command, waits as the
// pending command for the next data byte. A byte in the output buffer is there for the system
// to read at port 0x60; the host's keyboard handler, connected here, is given its chance to
// do that after every status read.
class SimKeyboardController : public SimDevice {
 public:
  static constexpr uint16_t kDataPort = 0x60;
  static constexpr uint16_t kStatusPort = 0x64;  // Read: status. Write: command.

  // Status register bits.
  static constexpr uint8_t kStatusOutputFull = 0x01;      // A byte waits at the data port.
  static constexpr uint8_t kStatusInputFull = 0x02;       // The controller has not taken a byte.
  static constexpr uint8_t kStatusSystemFlag = 0x04;      // Set once the self-test has passed.
  static constexpr uint8_t kStatusLastWasCommand = 0x08;  // The last byte went to port 0x64.

  // Commands written to port 0x64. The RAM commands carry the address in their low bits.
  static constexpr uint8_t kCmdReadRam = 0x20;   // RAM byte to the output buffer.
  static constexpr uint8_t kCmdWriteRam = 0x60;  // Next data byte to the RAM byte.
  static constexpr uint8_t kCmdRamAddressMask = 0x1F;
  static constexpr uint8_t kCmdEnableKeyboard = 0xAE;
  static constexpr uint8_t kCmdWriteKeyboardOutput = 0xD2;  // Next data byte as if typed.

  // Bits of the command byte, RAM byte 0.
  static constexpr uint8_t kModeKeyboardInterrupt = 0x01;
  static constexpr uint8_t kModeSystemFlag = 0x04;
  static constexpr uint8_t kModeKeyboardDisabled = 0x10;
  static constexpr uint8_t kModeTranslate = 0x40;

  static constexpr int kRamSize = 32;

  // The controller's registers, as raw bytes.
  struct State {
    uint8_t status = 0;          // Derived from the rest by UpdateStatus.
    uint8_t outputBuffer = 0;    // What a read of port 0x60 gives.
    uint8_t outputFull = 0;      // 1 while the output buffer holds a byte not yet read.
    uint8_t inputBuffer = 0;     // The last byte written.
    uint8_t inputFull = 0;       // 1 from a write until the next status read.
    uint8_t inputIsCommand = 0;  // 1 when that byte was written to port 0x64.
    uint8_t pendingCommand = 0;  // A command waiting for its data byte; 0 when none waits.
    uint8_t ram[kRamSize] = {kModeKeyboardInterrupt | kModeSystemFlag |
                             kModeTranslate};  // As the BIOS leaves it.
  };

  SimKeyboardController();

  bool Claims(uint16_t port) const override;
  uint8_t Read(uint16_t port) override;
  void Write(uint16_t port, uint8_t value) override;

  // The host's keyboard handler, given its chance after every status read.
  void ConnectHost(SimKeyboardHandler& handler) { handler_ = &handler; }

  const State& Registers() const { return state_; }
  bool OutputFull() const { return state_.outputFull != 0; }

 private:
  uint8_t ReadStatus();
  uint8_t ReadData();
  void WriteCommand(uint8_t command);
  void WriteData(uint8_t value);

  // Takes the byte just written to the input buffer.
  void TakeInput(uint8_t value, bool isCommand);
  void RunCommand(uint8_t command);
  void RunData(uint8_t value);
  void PlaceOutput(uint8_t value);
  // Computes the status bits from the registers; the only place that sets them.
  void UpdateStatus();

  State state_;
  SimKeyboardHandler* handler_ = nullptr;
};

}  // namespace zarvel
