#include "platform/sim/sim_pc.h"

namespace zarvel {

uint8_t SimPc::In(uint16_t /*port*/) {
  return kFloatingBus;
}

void SimPc::Out(uint16_t /*port*/, uint8_t /*value*/) {}

}  // namespace zarvel
