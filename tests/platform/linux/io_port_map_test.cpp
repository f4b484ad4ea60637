#include "platform/linux/io_port_map.h"

#include <gtest/gtest.h>

#include "support/fake_system_calls.h"

namespace zarvel {
namespace {

using testing::FakeSystemCalls;

// A PC's /proc/ioports as root reads it: bus windows, the devices inside them, and a parallel
// card whose driver's range lies inside the card's own.
constexpr const char* kIoPorts =
    "0000-0cf7 : PCI Bus 0000:00\n"
    "  0000-001f : dma1\n"
    "  0020-0021 : pic1\n"
    "  0060-0060 : keyboard\n"
    "  0064-0064 : keyboard\n"
    "  0378-037a : parport0\n"
    "  03c0-03df : vga+\n"
    "  03f8-03ff : serial\n"
    "0cf8-0cff : PCI conf1\n"
    "0d00-ffff : PCI Bus 0000:00\n"
    "  d000-dfff : PCI Bus 0000:03\n"
    "    d000-d007 : 0000:03:00.0\n"
    "      d000-d002 : parport1\n"
    "    d010-d01f : 0000:03:00.1\n";

TEST(CheckDirectParallelPort, RefusesThePcsOwnPortsAndOtherDevicesButNotParallelPortsOrFreePorts) {
  FakeSystemCalls calls;
  calls.files["/proc/ioports"] = kIoPorts;
  for (const uint32_t free : {0x378u, 0x278u, 0xD000u, 0xE000u}) {
    EXPECT_EQ(CheckDirectParallelPort(calls, free), std::nullopt) << std::hex << free;
  }

  // One register on a device is enough; the innermost owner that is not a bus is named.
  EXPECT_EQ(CheckDirectParallelPort(calls, 0x3F6),
            "Port 0x3F6-0x3F8 overlaps 03f8-03ff serial in /proc/ioports, a device that is not a "
            "parallel port: set Port to the parallel port's address (often 378, 278 or 3bc; "
            "/proc/ioports lists it as parport0)");
  EXPECT_NE(CheckDirectParallelPort(calls, 0xCF6)->find("overlaps 0cf8-0cff PCI conf1"),
            std::string::npos);
  EXPECT_NE(CheckDirectParallelPort(calls, 0xD00E)->find("overlaps d010-d01f 0000:03:00.1"),
            std::string::npos);

  // Below 0x100 and beyond the last port are refused without reading the map.
  calls.log.clear();
  const std::optional<std::string> keyboard = CheckDirectParallelPort(calls, 0x64);
  ASSERT_TRUE(keyboard);
  EXPECT_EQ(keyboard->rfind("Port 0x64-0x66 is below 0x100, the range of the PC's own devices", 0),
            0u)
      << *keyboard;
  EXPECT_NE(CheckDirectParallelPort(calls, 0xFFFE)->find("beyond the PC's last I/O port"),
            std::string::npos);
  EXPECT_TRUE(calls.log.empty());

  // Without the map, only those two are refused.
  calls.files.clear();
  EXPECT_EQ(CheckDirectParallelPort(calls, 0x3F8), std::nullopt);
}

}  // namespace
}  // namespace zarvel
