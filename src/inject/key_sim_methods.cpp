#include "inject/key_sim_methods.h"

#include "hardware/keyboard_controller.h"
#include "hardware/port_io.h"

namespace zarvel {
namespace {

// Reads the status port until `bit` is clear, at most kStatusWaitLimit reads.
void WaitStatusClear(PortIo& port, uint8_t bit) {
  for (int reads = 0; reads < kStatusWaitLimit; ++reads) {
    if ((port.In(kControllerStatusPort) & bit) == 0) {
      return;
    }
  }
}

// A controller RAM command for the mailbox byte. Only the low five bits of a RAM command carry
// the address, so an address out of range can never turn it into another command.
uint8_t RamCommand(uint8_t command, uint8_t controllerAddress) {
  return static_cast<uint8_t>(command | (controllerAddress & kControllerRamAddressMask));
}

void ReadStatusTimes(PortIo& port, int count) {
  for (int i = 0; i < count; ++i) {
    port.In(kControllerStatusPort);
  }
}

}  // namespace

void WaitInputBufferEmpty(PortIo& port) {
  WaitStatusClear(port, kStatusInputFull);
}

void SendKeyOld(PortIo& port, uint8_t controllerAddress, uint8_t byte) {
  port.DisableInterrupts();
  WaitStatusClear(port, kStatusInputFull);
  port.Out(kControllerStatusPort, RamCommand(kCmdWriteRam, controllerAddress));
  WaitStatusClear(port, kStatusInputFull);
  port.Out(kControllerDataPort, byte);
  WaitStatusClear(port, kStatusInputFull);
  port.Out(kControllerStatusPort, RamCommand(kCmdReadRam, controllerAddress));
  WaitStatusClear(port, kStatusOutputFull);
  port.EnableInterrupts();
}

void SendKeyNew(PortIo& port, uint8_t controllerAddress, uint8_t byte) {
  // With interrupts still enabled the system takes a byte already waiting first.
  WaitStatusClear(port, kStatusOutputFull);
  port.DisableInterrupts();
  const uint8_t interruptMask = port.In(kInterruptMaskPort);
  WaitInputBufferEmpty(port);
  port.Out(kControllerStatusPort, RamCommand(kCmdWriteRam, controllerAddress));
  WaitInputBufferEmpty(port);
  port.Out(kControllerDataPort, byte);
  WaitInputBufferEmpty(port);
  port.Out(kControllerStatusPort, RamCommand(kCmdReadRam, controllerAddress));
  WaitStatusClear(port, kStatusOutputFull);
  WaitInputBufferEmpty(port);
  port.Out(kControllerStatusPort, kCmdEnableKeyboard);
  port.Out(kInterruptMaskPort, interruptMask);
  port.EnableInterrupts();
}

KeySimFunc KeySimFunctionOf(KeySimMethod method) {
  switch (method) {
    case KeySimMethod::kOld:
      return SendKeyOld;
    case KeySimMethod::kNew:
      return SendKeyNew;
    case KeySimMethod::kNewest:
      break;
  }
  return SendKeyNewest;
}

void SendKeyNewest(PortIo& port, uint8_t /*controllerAddress*/, uint8_t byte) {
  port.Out(kControllerStatusPort, kCmdWriteKeyboardOutput);
  ReadStatusTimes(port, kNewestDelayBeforeData);
  port.Out(kControllerDataPort, byte);
  ReadStatusTimes(port, kNewestDelayAfterData);
}

}  // namespace zarvel
