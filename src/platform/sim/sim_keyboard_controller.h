#pragma once

#include <cstdint>

#include "hardware/keyboard_controller.h"
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
  // The controller's registers, as raw bytes.
  struct State {
    uint8_t status = 0;          // Derived from the rest by UpdateStatus.
    uint8_t outputBuffer = 0;    // What a read of port 0x60 gives.
    uint8_t outputFull = 0;      // 1 while the output buffer holds a byte not yet read.
    uint8_t inputBuffer = 0;     // The last byte written.
    uint8_t inputFull = 0;       // 1 from a write until the next status read.
    uint8_t inputIsCommand = 0;  // 1 when that byte was written to port 0x64.
    uint8_t pendingCommand = 0;  // A command waiting for its data byte; 0 when none waits.
    uint8_t ram[kControllerRamSize] = {kModeKeyboardInterrupt | kModeSystemFlag |
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
