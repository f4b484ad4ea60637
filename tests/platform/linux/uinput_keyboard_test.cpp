#include "platform/linux/uinput_keyboard.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <cerrno>
#include <initializer_list>

#include "hardware/scan_codes.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"

namespace zarvel {
namespace {

using testing::FakeEvdevCalls;
using testing::FakeSystemCalls;
using testing::PostedEvent;
using Events = std::vector<PostedEvent>;

PostedEvent Key(uint16_t code, int32_t value) {
  return {EV_KEY, code, value};
}
const PostedEvent kReport = {EV_SYN, SYN_REPORT, 0};

class UinputKeyboardTest : public ::testing::Test {
 protected:
  UinputKeyboardTest() {
    calls_.MakeFile(kUinputPath);
    uinput_ = std::move(UinputDevice::Open(calls_).device);
    keyboard_ = std::move(UinputKeyboard::Create(*uinput_, evdev_).keyboard);
  }

  void Deliver(std::initializer_list<uint8_t> bytes) {
    for (const uint8_t byte : bytes) {
      keyboard_->Deliver(byte);
    }
  }

  FakeSystemCalls calls_;
  FakeEvdevCalls evdev_;
  std::unique_ptr<UinputDevice> uinput_;
  std::unique_ptr<UinputKeyboard> keyboard_;
};

TEST_F(UinputKeyboardTest, IsANamedKeyboardWithEveryKeyOfTheScanCodeTable) {
  ASSERT_NE(keyboard_, nullptr);
  EXPECT_EQ(evdev_.deviceName, "Zarvel virtual keyboard");
  EXPECT_EQ(evdev_.createdOnFd, uinput_->Fd());
  EXPECT_EQ(evdev_.keys.size(), ScanCodeKeys().size());
  for (const ScanCodeKey& key : ScanCodeKeys()) {
    EXPECT_NE(std::find(evdev_.keys.begin(), evdev_.keys.end(), key.linuxCode), evdev_.keys.end())
        << key.name;
  }
}

TEST_F(UinputKeyboardTest, EveryKeyEventIsFollowedByAReport) {
  Deliver({0x1E, 0x9E, 0xE0, 0x48, 0xE0, 0xC8});
  EXPECT_EQ(evdev_.events, (Events{Key(KEY_A, 1), kReport, Key(KEY_A, 0), kReport, Key(KEY_UP, 1),
                                   kReport, Key(KEY_UP, 0), kReport}));
  EXPECT_TRUE(keyboard_->HeldCodes().empty());
}

TEST_F(UinputKeyboardTest, FramingBytesTypeNothingAndPauseGoesDownAndUp) {
  // Print screen comes framed by a fake left shift, which is no key of its own.
  Deliver({0xE0, 0x2A, 0xE0, 0x37, 0xE0, 0xB7, 0xE0, 0xAA});
  // Pause sends its press and release at once.
  Deliver({0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5});
  EXPECT_EQ(evdev_.events, (Events{Key(KEY_SYSRQ, 1), kReport, Key(KEY_SYSRQ, 0), kReport,
                                   Key(KEY_PAUSE, 1), kReport, Key(KEY_PAUSE, 0), kReport}));
}

TEST_F(UinputKeyboardTest, AMakeCodeForAHeldKeyIsARepeatAndAStrayBreakTypesNothing) {
  Deliver({0x1E, 0x1E, 0x1E, 0x9E, 0x9E, 0xB0});
  EXPECT_EQ(evdev_.events, (Events{Key(KEY_A, 1), kReport, Key(KEY_A, 2), kReport, Key(KEY_A, 2),
                                   kReport, Key(KEY_A, 0), kReport}));
}

TEST_F(UinputKeyboardTest, KeysStillHeldAreReleasedBeforeTheDeviceGoes) {
  Deliver({0x2A, 0x1E, 0xE0, 0x48, 0x9E});  // Shift and up still held, a released.
  EXPECT_EQ(keyboard_->HeldCodes(), (std::vector<uint16_t>{KEY_LEFTSHIFT, KEY_UP}));
  evdev_.events.clear();
  keyboard_.reset();
  EXPECT_EQ(evdev_.events, (Events{Key(KEY_UP, 0), kReport, Key(KEY_LEFTSHIFT, 0), kReport}));
  EXPECT_EQ(evdev_.destroyed, 1);
  EXPECT_EQ(evdev_.eventsWhenDestroyed, 4u);  // The releases went out before the device went.
  EXPECT_EQ(calls_.Count("close"), 0);        // /dev/uinput stays open for the next one.
}

TEST(UinputDevice, MissingModuleAndMissingPermissionGetTheirOwnAdvice) {
  FakeSystemCalls missing;
  const UinputDevice::Opened noModule = UinputDevice::Open(missing);
  EXPECT_EQ(noModule.device, nullptr);
  EXPECT_NE(noModule.error.find("/dev/uinput is missing"), std::string::npos);
  EXPECT_NE(noModule.error.find("modprobe uinput"), std::string::npos);

  FakeSystemCalls locked;
  locked.openErrors[kUinputPath] = EACCES;
  const UinputDevice::Opened noPermission = UinputDevice::Open(locked);
  EXPECT_EQ(noPermission.device, nullptr);
  EXPECT_NE(noPermission.error.find("no permission to write /dev/uinput"), std::string::npos);
  EXPECT_NE(noPermission.error.find("udev rule"), std::string::npos);
  EXPECT_NE(noPermission.error.find("the user at the machine's seat"), std::string::npos);
}

TEST(UinputDevice, AKeyboardTheSystemRefusesIsReported) {
  FakeSystemCalls calls;
  calls.MakeFile(kUinputPath);
  FakeEvdevCalls evdev;
  evdev.createError = EINVAL;
  UinputDevice::Opened opened = UinputDevice::Open(calls);
  const UinputKeyboard::Created created = UinputKeyboard::Create(*opened.device, evdev);
  EXPECT_EQ(created.keyboard, nullptr);
  EXPECT_EQ(created.error, "could not create the virtual keyboard: " + ErrorText(EINVAL));
  opened.device.reset();
  EXPECT_EQ(calls.Count("close"), 1);
}

}  // namespace
}  // namespace zarvel
