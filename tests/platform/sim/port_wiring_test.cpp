#include "platform/sim/port_wiring.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zarvel {
namespace {

constexpr std::string_view kGlobal = "[config]\nPort = 378\n";

struct PortWiringTest : ::testing::Test {
  PortWiring Wire(std::string_view document, std::string_view circuits,
                  std::string_view global = kGlobal) {
    dir.Write("home/zarvel.ini", global);
    dir.Write("home/circuits.ini", circuits);
    return ReadPortWiring(dir.Write("document.ini", document), dir.Slash() + "home/");
  }

  testing::TempDir dir;
};

using Pins = std::vector<int32_t>;

TEST_F(PortWiringTest, PadsAreSolderedAsTheCircuitFileSaysInDiscoveryOrder) {
  const PortWiring wiring = Wire("[config]\nPort = 0x278\n[nes 2]\n[snes]\n",
                                 "[snes]\nclock = 3\nreset = 4\npower = 5,6, 7\ndata = 10\n"
                                 "[nes 2]\nclock = 16\nreset = 2\npower = 0\ndata = 14\n");
  ASSERT_TRUE(wiring.base);
  EXPECT_EQ(*wiring.base, 0x278);  // The document's Port wins over the global one.
  ASSERT_EQ(wiring.pads.size(), 2u);
  EXPECT_EQ(wiring.pads[0].kind, SimPadKind::kSnes);
  EXPECT_EQ(wiring.pads[0].position, 1);
  EXPECT_EQ(wiring.pads[0].cable.power, (Pins{5, 6, 7}));
  EXPECT_EQ(wiring.pads[1].kind, SimPadKind::kNes);
  EXPECT_EQ(wiring.pads[1].position, 2);
  EXPECT_EQ(wiring.pads[1].cable.clock, (Pins{16}));
  EXPECT_EQ(wiring.pads[1].cable.latch, (Pins{2}));
  EXPECT_EQ(wiring.pads[1].cable.data, (Pins{14}));
}

TEST_F(PortWiringTest, APadWhosePinsCannotBeWorkedOutIsLeftOutButKeepsItsPlace) {
  const PortWiring wiring = Wire("[snes 1]\n[snes 2]\n[snes 3]\n[nes]\n",
                                 "[snes 1]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n"
                                 "[snes 2]\nclock = 3\nreset = 4\npower = 5\ndata = 99\n"
                                 "[snes 3]\nclock = 3\nreset = 4\npower = 5\ndata = 12\n");
  // Pad 2 names no pin for its data, and the NES pad has no circuit section at all.
  ASSERT_EQ(wiring.pads.size(), 2u);
  EXPECT_EQ(wiring.pads[0].position, 1);
  EXPECT_EQ(wiring.pads[1].position, 3);
  EXPECT_EQ(wiring.pads[1].cable.data, (Pins{12}));
}

TEST_F(PortWiringTest, FilesThatCannotBeReadLeaveThePortUnwired) {
  EXPECT_FALSE(Wire("[snes]\n", "", "[config]\n").base);
  dir.Write("home/zarvel.ini", kGlobal);
  const PortWiring missing = ReadPortWiring(dir.Slash() + "no-such.ini", dir.Slash() + "home/");
  EXPECT_FALSE(missing.base);
  EXPECT_TRUE(missing.pads.empty());
}

TEST_F(PortWiringTest, PadsAnExecutionAsksForAreSolderedFromTheCircuitFileAlone) {
  dir.Write("home/circuits.ini",
            "[snes 1]\nclock = 3\nreset = 4\npower = 5\ndata = 10\n"
            "[snes 4]\nclock = 3\nreset = 4\npower = 5\ndata = 99\n"
            "[nes 2]\nclock = 16\nreset = 2\npower = 0\ndata = 14\n");
  const PadPlace places[] = {{kSnesSectionName, {"[snes]", 1}},
                             {kSnesSectionName, {"[snes 4]", 4}},
                             {kNesSectionName, {"[nes2]", 2}}};
  const PortWiring wiring = WirePads(0x278, places, dir.Slash() + "home/");
  EXPECT_EQ(wiring.base, 0x278);
  // SNES pad 4 names no pin for its data; the NES pad keeps the third place.
  ASSERT_EQ(wiring.pads.size(), 2u);
  EXPECT_EQ(wiring.pads[0].kind, SimPadKind::kSnes);
  EXPECT_EQ(wiring.pads[1].kind, SimPadKind::kNes);
  EXPECT_EQ(wiring.pads[1].position, 3);
  EXPECT_EQ(wiring.pads[1].cable.data, (Pins{14}));
}

}  // namespace
}  // namespace zarvel
