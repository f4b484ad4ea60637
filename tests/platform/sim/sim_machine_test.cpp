#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "inject/key_sim_methods.h"

namespace zarvel {
namespace {

using Delivery = std::pair<int32_t, uint8_t>;

class SimMachineTest : public ::testing::Test {
 protected:
  SimMachineTest() {
    machine_.KeyboardHandler().SetListener(
        [this](int32_t tick, uint8_t byte) { delivered_.emplace_back(tick, byte); });
  }

  SimMachine machine_;
  std::vector<Delivery> delivered_;
};

TEST_F(SimMachineTest, HandlerEmptiesTheOutputBufferAFewStatusReadsAfterItFills) {
  SimPc& pc = machine_.Pc();
  pc.SetTick(7);
  pc.DisableInterrupts();  // The handler runs whatever the interrupt flag.
  pc.Out(0x64, 0xD2);
  pc.Out(0x60, 0x9E);
  EXPECT_EQ(pc.In(0x64) & 0x01, 0x01);  // In the output buffer,
  EXPECT_EQ(pc.In(0x64) & 0x01, 0x01);  // and still,
  EXPECT_TRUE(delivered_.empty());
  EXPECT_EQ(pc.In(0x64) & 0x01, 0x01);  // read by the system right after the third read.
  EXPECT_EQ(delivered_, (std::vector<Delivery>{{7, 0x9E}}));
  EXPECT_EQ(pc.In(0x64) & 0x01, 0x00);
}

TEST_F(SimMachineTest, EveryMethodDeliversItsByteOnce) {
  for (const KeySimFunc method : {SendKeyOld, SendKeyNew, SendKeyNewest}) {
    delivered_.clear();
    machine_.Pc().SetTick(3);
    method(machine_.Pc(), 0x1F, 0xE0);
    EXPECT_EQ(delivered_, (std::vector<Delivery>{{3, 0xE0}}));
    EXPECT_FALSE(machine_.KeyboardController().OutputFull());
    EXPECT_TRUE(machine_.Pc().InterruptsEnabled());
    EXPECT_EQ(machine_.InterruptMask().Mask(), SimInterruptMask::kStartMask);
  }
}

TEST_F(SimMachineTest, HoldsTheInterruptMaskAndFloatsFreePorts) {
  SimPc& pc = machine_.Pc();
  EXPECT_EQ(pc.In(0x21), SimInterruptMask::kStartMask);
  pc.Out(0x21, 0xFD);
  EXPECT_EQ(pc.In(0x21), 0xFD);
  EXPECT_EQ(pc.In(0x2F8), 0xFF);
}

}  // namespace
}  // namespace zarvel
