#include "platform/sim/sim_pc.h"

namespace zarvel {

SimDevice* SimPc::DeviceFor(uint16_t port) const {
  for (SimDevice* device : devices_) {
    if (device->Claims(port)) {
      return device;
    }
  }
  return nullptr;
}

uint8_t SimPc::In(uint16_t port) {
  SimDevice* device = DeviceFor(port);
  return device != nullptr ? device->Read(port) : kFloatingBus;
}

void SimPc::Out(uint16_t port, uint8_t value) {
  if (SimDevice* device = DeviceFor(port)) {
    device->Write(port, value);
  }
}

}  // namespace zarvel
