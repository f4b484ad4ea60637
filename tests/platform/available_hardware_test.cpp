#include "platform/available_hardware.h"

#include <gtest/gtest.h>

#include "support/fake_system_calls.h"

namespace zarvel {
namespace {

using testing::FakeSystemCalls;

TEST(AvailableHardware, ListsTheParallelPortDevicesInTheOrderOfTheirNumbers) {
  FakeSystemCalls calls;
  for (const char* path : {"/dev/parport10", "/dev/parport2", "/dev/uinput", "/dev/parport",
                           "/dev/parportx", "/dev/parport0", "/dev/bus/parport1"}) {
    calls.MakeFile(path);
  }
  calls.openErrors["/dev/parport1"] = EACCES;  // Listed even where it will not open.
  EXPECT_EQ(FindAvailableHardware(calls).parportDevices,
            (std::vector<std::string>{"/dev/parport0", "/dev/parport1", "/dev/parport2",
                                      "/dev/parport10"}));
}

TEST(AvailableHardware, DirectAccessNeedsRootOrTheRawIoCapabilityAndPortInstructions) {
  FakeSystemCalls calls;
  calls.files["/proc/self/status"] = "Name:\tzarvel\nCapEff:\t0000000000000000\n";
  EXPECT_FALSE(FindAvailableHardware(calls).directAccess);
  calls.files["/proc/self/status"] = "Name:\tzarvel\nCapEff:\t0000000000020000\n";
  EXPECT_TRUE(FindAvailableHardware(calls).directAccess);
  calls.files.clear();
  calls.effectiveUser = 0;
  EXPECT_TRUE(FindAvailableHardware(calls).directAccess);
  calls.portInstructions = false;
  EXPECT_FALSE(FindAvailableHardware(calls).directAccess);
}

}  // namespace
}  // namespace zarvel
