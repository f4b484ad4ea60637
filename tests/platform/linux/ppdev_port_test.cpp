#include "platform/linux/ppdev_port.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/fake_system_calls.h"

namespace zarvel {
namespace {

using testing::FakeSystemCalls;
using Lines = std::vector<std::string>;

constexpr uint16_t kBase = 0x378;

TEST(PpdevPort, MissingDeviceOrModuleAndMissingPermissionGetTheirOwnAdvice) {
  for (const int error : {ENOENT, ENODEV, ENXIO}) {
    FakeSystemCalls calls;
    calls.openErrors["/dev/parport0"] = error;
    const PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport0");
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_NE(opened.error.find("/dev/parport0"), std::string::npos) << opened.error;
    EXPECT_NE(opened.error.find("is the parport_pc module loaded?"), std::string::npos)
        << opened.error;
  }
  for (const int error : {EACCES, EPERM}) {
    FakeSystemCalls calls;
    calls.openErrors["/dev/parport1"] = error;
    const PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport1");
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_NE(opened.error.find("no permission to open /dev/parport1"), std::string::npos);
    EXPECT_NE(opened.error.find("the usual group is lp"), std::string::npos) << opened.error;
  }
  FakeSystemCalls calls;
  calls.openErrors["/dev/parport0"] = EBUSY;
  EXPECT_EQ(PpdevDevice::Open(calls, "/dev/parport0").error,
            "could not open /dev/parport0: " + ErrorText(EBUSY));
}

TEST(PpdevPort, ClaimsForTheExecutionAndReleasesWhenItGoesWhileTheDeviceStaysOpen) {
  FakeSystemCalls calls;
  calls.MakeFile("/dev/parport0");
  PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport0");
  ASSERT_NE(opened.device, nullptr);
  for (int execution = 0; execution < 2; ++execution) {
    PpdevPort::Claimed claimed = PpdevPort::Claim(*opened.device, kBase);
    ASSERT_NE(claimed.port, nullptr);
    claimed.port->Out(kBase, 0x01);
  }
  opened.device.reset();
  const Lines execution = {"flock LOCK_EX|LOCK_NB", "ioctl PPCLAIM",   "ioctl PPDATADIR",
                           "ioctl PPWDATA 01",      "ioctl PPRELEASE", "flock LOCK_UN"};
  Lines expected = {"open /dev/parport0"};
  expected.insert(expected.end(), execution.begin(), execution.end());
  expected.insert(expected.end(), execution.begin(), execution.end());
  expected.push_back("close 3");
  EXPECT_EQ(calls.log, expected);
}

TEST(PpdevPort, APortAnotherProgramHoldsIsRefusedAtOnceWithoutWaitingInTheClaim) {
  FakeSystemCalls calls;
  calls.MakeFile("/dev/parport1");
  calls.lockErrors["/dev/parport1"] = EWOULDBLOCK;
  PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport1");
  const PpdevPort::Claimed claimed = PpdevPort::Claim(*opened.device, kBase);
  EXPECT_EQ(claimed.port, nullptr);
  EXPECT_EQ(claimed.error,
            "/dev/parport1 is in use by another program (another Zarvel?): stop it first");
  EXPECT_EQ(calls.Count("ioctl"), 0);
}

TEST(PpdevPort, RefusedClaimIsReportedAndNothingIsReleased) {
  FakeSystemCalls calls;
  calls.MakeFile("/dev/parport0");
  calls.ioctlErrors["PPCLAIM"] = EINVAL;
  PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport0");
  const PpdevPort::Claimed claimed = PpdevPort::Claim(*opened.device, kBase);
  EXPECT_EQ(claimed.port, nullptr);
  EXPECT_EQ(claimed.error, "could not claim /dev/parport0: " + ErrorText(EINVAL));
  EXPECT_EQ(calls.Count("ioctl PPRELEASE"), 0);
  EXPECT_EQ(calls.log.back(), "flock LOCK_UN");  // The next execution may try again.
}

TEST(PpdevPort, EachRegisterMapsToItsOwnOperationAndStatusWritesAreDropped) {
  FakeSystemCalls calls;
  calls.MakeFile("/dev/parport0");
  calls.status = 0x5F;
  PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport0");
  PpdevPort::Claimed claimed = PpdevPort::Claim(*opened.device, kBase);
  PortIo& port = *claimed.port;
  calls.log.clear();

  port.Out(kBase, 0xA5);
  port.Out(kBase + 1, 0x12);  // The status register cannot be written.
  port.Out(kBase + 2, 0x04);
  EXPECT_EQ(port.In(kBase), 0xA5);
  EXPECT_EQ(port.In(kBase + 1), 0x5F);
  EXPECT_EQ(port.In(kBase + 2), 0x04);
  EXPECT_EQ(calls.log, (Lines{"ioctl PPWDATA A5", "ioctl PPWCONTROL 04", "ioctl PPRDATA",
                              "ioctl PPRSTATUS", "ioctl PPRCONTROL"}));

  // The control register's direction bit becomes the device's own request when it changes, and
  // never reaches the control lines.
  calls.log.clear();
  port.Out(kBase + 2, 0x2A);
  port.Out(kBase + 2, 0x28);
  port.Out(kBase + 2, 0x0A);
  EXPECT_EQ(calls.log, (Lines{"ioctl PPDATADIR", "ioctl PPWCONTROL 0A", "ioctl PPWCONTROL 08",
                              "ioctl PPDATADIR", "ioctl PPWCONTROL 0A"}));
  EXPECT_FALSE(calls.dataLinesRead);
}

TEST(PpdevPort, AFailedReadAnswersAnIdleBus) {
  FakeSystemCalls calls;
  calls.MakeFile("/dev/parport0");
  calls.status = 0x00;
  calls.ioctlErrors["PPRSTATUS"] = EIO;
  PpdevDevice::Opened opened = PpdevDevice::Open(calls, "/dev/parport0");
  PpdevPort::Claimed claimed = PpdevPort::Claim(*opened.device, kBase);
  EXPECT_EQ(claimed.port->In(kBase + 1), 0xFF);
}

}  // namespace
}  // namespace zarvel
