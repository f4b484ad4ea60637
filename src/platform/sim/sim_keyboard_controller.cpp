#include "platform/sim/sim_keyboard_controller.h"

#include "platform/sim/sim_keyboard_handler.h"

namespace zarvel {

SimKeyboardController::SimKeyboardController() {
  UpdateStatus();
}

bool SimKeyboardController::Claims(uint16_t port) const {
  return port == kControllerDataPort || port == kControllerStatusPort;
}

uint8_t SimKeyboardController::Read(uint16_t port) {
  return port == kControllerStatusPort ? ReadStatus() : ReadData();
}

void SimKeyboardController::Write(uint16_t port, uint8_t value) {
  if (port == kControllerStatusPort) {
    WriteCommand(value);
  } else {
    WriteData(value);
  }
}

uint8_t SimKeyboardController::ReadStatus() {
  const uint8_t status = state_.status;
  // By the end of a status read the controller has taken the last byte written.
  state_.inputFull = 0;
  UpdateStatus();
  if (handler_ != nullptr) {
    handler_->StatusPolled(*this);
  }
  return status;
}

uint8_t SimKeyboardController::ReadData() {
  state_.outputFull = 0;
  UpdateStatus();
  return state_.outputBuffer;
}

void SimKeyboardController::WriteCommand(uint8_t command) {
  TakeInput(command, true);
}

void SimKeyboardController::WriteData(uint8_t value) {
  TakeInput(value, false);
}

void SimKeyboardController::TakeInput(uint8_t value, bool isCommand) {
  state_.inputBuffer = value;
  state_.inputIsCommand = isCommand ? 1 : 0;
  state_.inputFull = 1;
  if (isCommand) {
    RunCommand(value);
  } else {
    RunData(value);
  }
  UpdateStatus();
}

void SimKeyboardController::RunCommand(uint8_t command) {
  // A new command replaces one that still waited for its data byte.
  state_.pendingCommand = 0;
  const auto base = static_cast<uint8_t>(command & ~kControllerRamAddressMask);
  if (base == kCmdReadRam) {
    PlaceOutput(state_.ram[command & kControllerRamAddressMask]);
  } else if (base == kCmdWriteRam || command == kCmdWriteKeyboardOutput) {
    state_.pendingCommand = command;
  } else if (command == kCmdEnableKeyboard) {
    state_.ram[0] = static_cast<uint8_t>(state_.ram[0] & ~kModeKeyboardDisabled);
  }
  // Every other command is one this controller does not model; it is ignored.
}

void SimKeyboardController::RunData(uint8_t value) {
  const uint8_t command = state_.pendingCommand;
  state_.pendingCommand = 0;
  if (command == kCmdWriteKeyboardOutput) {
    PlaceOutput(value);
  } else if ((command & ~kControllerRamAddressMask) == kCmdWriteRam) {
    state_.ram[command & kControllerRamAddressMask] = value;
  }
  // A data byte with no command waiting is meant for the keyboard itself, which is not
  // modelled; it is ignored.
}

void SimKeyboardController::PlaceOutput(uint8_t value) {
  // A byte the system has not read yet is overwritten, as on the real chip.
  state_.outputBuffer = value;
  state_.outputFull = 1;
  UpdateStatus();
}

void SimKeyboardController::UpdateStatus() {
  uint8_t status = kStatusSystemFlag;
  if (state_.outputFull != 0) {
    status |= kStatusOutputFull;
  }
  if (state_.inputFull != 0) {
    status |= kStatusInputFull;
  }
  if (state_.inputIsCommand != 0) {
    status |= kStatusLastWasCommand;
  }
  state_.status = status;
}

}  // namespace zarvel
