#include "platform/routing_port.h"

#include "hardware/keyboard_controller.h"
#include "hardware/parallel_port_registers.h"

namespace zarvel {

void RoutingPort::RouteParallelPort(uint16_t base, PortIo& io) {
  parallel_ = &io;
  parallelBase_ = base;
}

void RoutingPort::RouteKeyboard(PortIo& io) {
  keyboard_ = &io;
}

PortIo& RoutingPort::Route(uint16_t port) {
  if (parallel_ != nullptr && static_cast<uint16_t>(port - parallelBase_) < kRegisterCount) {
    return *parallel_;
  }
  if (keyboard_ != nullptr && (port == kControllerDataPort || port == kControllerStatusPort ||
                               port == kInterruptMaskPort)) {
    return *keyboard_;
  }
  return *fallback_;
}

uint8_t RoutingPort::In(uint16_t port) {
  return Route(port).In(port);
}

void RoutingPort::Out(uint16_t port, uint8_t value) {
  Route(port).Out(port, value);
}

void RoutingPort::DisableInterrupts() {
  (keyboard_ != nullptr ? *keyboard_ : *fallback_).DisableInterrupts();
}

void RoutingPort::EnableInterrupts() {
  (keyboard_ != nullptr ? *keyboard_ : *fallback_).EnableInterrupts();
}

}  // namespace zarvel
