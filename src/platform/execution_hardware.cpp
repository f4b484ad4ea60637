#include "platform/execution_hardware.h"

#include "platform/linux/direct_port.h"
#include "platform/linux/ppdev_port.h"
#include "platform/linux/uinput_keyboard.h"

namespace zarvel {

ExecutionHardware::ExecutionHardware(const PortWiring& wiring, PadScript script)
    : machine_(wiring, std::move(script)) {
  machine_.KeyboardHandler().SetListener(
      [this](int64_t tick, uint8_t byte) { Deliver(tick, byte); });
}

ExecutionHardware::~ExecutionHardware() = default;

void ExecutionHardware::PlugExpectedPads(int32_t base, std::span<const PadPlace> pads) {
  if (circuitHome_) {
    machine_.Wire(WirePads(base, pads, *circuitHome_));
  }
}

void ExecutionHardware::ReleaseDevices() {
  routing_ = RoutingPort(machine_.Pc());
  keyboard_.reset();
  directPort_.reset();
  ppdevPort_.reset();
}

void ExecutionHardware::UsePpdevPort(uint16_t base, std::unique_ptr<PpdevPort> port) {
  ppdevPort_ = std::move(port);
  routing_.RouteParallelPort(base, *ppdevPort_);
}

void ExecutionHardware::UseDirectPort(std::unique_ptr<DirectPort> port) {
  directPort_ = std::move(port);
}

void ExecutionHardware::RouteParallelPortToDirect(uint16_t base) {
  routing_.RouteParallelPort(base, *directPort_);
}

void ExecutionHardware::RouteKeyboardToDirect() {
  routing_.RouteKeyboard(*directPort_);
}

void ExecutionHardware::UseVirtualKeyboard(std::unique_ptr<UinputKeyboard> keyboard) {
  keyboard_ = std::move(keyboard);
}

void ExecutionHardware::Deliver(int64_t tick, uint8_t byte) {
  if (keyboard_) {
    keyboard_->Deliver(byte);
  }
  if (listener_) {
    listener_(tick, byte);
  }
}

}  // namespace zarvel
