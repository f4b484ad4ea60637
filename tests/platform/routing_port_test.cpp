#include "platform/routing_port.h"

#include <gtest/gtest.h>

#include "support/recording_port.h"

namespace zarvel {
namespace {

using Log = std::vector<PortAccess>;

TEST(RoutingPort, WithoutRoutesEverythingGoesToTheSimulatedPc) {
  RecordingPort pc;
  RoutingPort port(pc);
  port.Out(0x378, 1);
  port.In(0x64);
  port.DisableInterrupts();
  port.EnableInterrupts();
  EXPECT_EQ(pc.Log(), (Log{PortAccess::Out(0x378, 1), PortAccess::In(0x64, 0xFF), PortAccess::Cli(),
                           PortAccess::Sti()}));
}

TEST(RoutingPort, ParallelRegistersAndKeyboardPortsEachReachTheirOwnBackEnd) {
  RecordingPort pc;
  RecordingPort pads;
  RecordingPort keys;
  RoutingPort port(pc);
  port.RouteParallelPort(0x278, pads);
  port.RouteKeyboard(keys);

  for (const uint16_t address : {0x277, 0x278, 0x279, 0x27A, 0x27B, 0x60, 0x61, 0x64, 0x21, 0x20}) {
    port.Out(address, 0);
  }
  port.DisableInterrupts();
  port.EnableInterrupts();
  EXPECT_EQ(pads.Log(),
            (Log{PortAccess::Out(0x278, 0), PortAccess::Out(0x279, 0), PortAccess::Out(0x27A, 0)}));
  EXPECT_EQ(keys.Log(), (Log{PortAccess::Out(0x60, 0), PortAccess::Out(0x64, 0),
                             PortAccess::Out(0x21, 0), PortAccess::Cli(), PortAccess::Sti()}));
  EXPECT_EQ(pc.Log(), (Log{PortAccess::Out(0x277, 0), PortAccess::Out(0x27B, 0),
                           PortAccess::Out(0x61, 0), PortAccess::Out(0x20, 0)}));
}

TEST(RoutingPort, RegistersOfAPortAtTheTopWrapAsTheExecutionAddressesThem) {
  // The execution takes the low 16 bits of base + register, so the control register of a port
  // at 0xFFFE is port 0x0000, and it must reach the same back end as the other two.
  RecordingPort pc;
  RecordingPort pads;
  RoutingPort port(pc);
  port.RouteParallelPort(0xFFFE, pads);
  port.In(0xFFFF);
  port.In(0x0000);
  port.In(0x0001);
  EXPECT_EQ(pads.Log().size(), 2u);
  EXPECT_EQ(pc.Log(), (Log{PortAccess::In(0x0001, 0xFF)}));
}

}  // namespace
}  // namespace zarvel
