// The ticks of an execution on the real back ends must not allocate either: the routing port,
// the parallel-port device and the virtual keyboard run inside every tick. The system calls
// are fakes that only count, so that they allocate nothing themselves.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cerrno>

#include <string>
#include <vector>

#include "engine/execution_host.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/hardware_factory.h"
#include "platform/home_directory.h"
#include "support/temp_dir.h"
#include "tick_allocation/counting_allocator.h"
#include "tick_allocation/counting_host.h"

namespace zarvel {
namespace {

// A parallel-port device whose pad holds a button on every other latch, and nothing else.
class CountingSystemCalls : public SystemCalls {
 public:
  int Open(const std::string&, int) override { return 3; }
  int Close(int) override { return 0; }
  int Ioctl(int, unsigned long, void* argument) override {
    ++ioctls;
    if (argument != nullptr) {
      // Status: data lines high (idle) but for pin 10 every few calls, so buttons change.
      *static_cast<unsigned char*>(argument) = (ioctls / 600) % 2 == 0 ? 0x78 : 0x38;
    }
    return 0;
  }
  int Flock(int, int) override { return 0; }
  std::optional<std::string> ReadTextFile(const std::string&) override { return std::nullopt; }
  std::vector<std::string> DirectoryEntries(const std::string&) override { return {}; }
  int OpenAt(int, const std::string&, int, mode_t) override { return -ENOSYS; }
  int MakeFolderAt(int, const std::string&, mode_t) override { return -ENOSYS; }
  int Status(int, struct stat&) override { return -ENOSYS; }
  std::optional<std::string> ReadLinkAt(int, const std::string&) override { return std::nullopt; }
  long Write(int, std::string_view) override { return -ENOSYS; }
  int Sync(int) override { return -ENOSYS; }
  int ChangeOwner(int, uid_t, gid_t) override { return -ENOSYS; }
  int RenameAt(int, const std::string&, const std::string&) override { return -ENOSYS; }
  int RemoveAt(int, const std::string&, bool) override { return -ENOSYS; }
  int Ioperm(unsigned long, unsigned long, bool) override { return 0; }
  int Iopl(int) override { return 0; }
  uint8_t InByte(uint16_t) override { return 0; }
  void OutByte(uint16_t, uint8_t) override {}
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}
  bool HasPortInstructions() const override { return true; }
  std::string KernelRelease() override { return "6.1.0"; }
  uid_t EffectiveUserId() override { return 1000; }
  std::optional<std::string> Environment(const std::string&) override { return std::nullopt; }
  int ClearSupplementaryGroups() override { return 0; }
  int SetGroupId(gid_t) override { return 0; }
  int SetUserId(uid_t) override { return 0; }
  int GetResourceLimit(int, rlimit&) override { return -EPERM; }
  int SetResourceLimit(int, const rlimit&) override { return -EPERM; }
  bool HasCapability(int) override { return false; }
  int SetThreadScheduler(int, int) override { return -EPERM; }
  int LockAllMemory() override { return -EPERM; }
  int UnlockAllMemory() override { return 0; }
  pid_t ProcessId() override { return 1; }
  pid_t ThreadId() override { return 1; }

  int64_t ioctls = 0;
};

class CountingEvdevCalls : public EvdevCalls {
 public:
  int CreateKeyboard(int, const std::string&, std::span<const uint16_t>, Device& device) override {
    device = this;
    return 0;
  }
  int WriteEvent(Device, uint16_t type, uint16_t, int32_t) override {
    keyEvents += type == EV_KEY ? 1 : 0;
    return 0;
  }
  void Destroy(Device) override {}

  int64_t keyEvents = 0;
};

// The hardware the factory made: the parallel-port device and the virtual keyboard.
class HardwareCountingHost : public testing::CountingHost {
 public:
  HardwareCountingHost(RunBlock& runBlock, std::unique_ptr<ExecutionHardware> hardware,
                       int32_t ticks)
      : CountingHost(runBlock, ticks), hardware_(std::move(hardware)) {}

  PortIo& Port() override { return hardware_->Port(); }

 protected:
  SimPc& TickingPc() override { return hardware_->Machine().Pc(); }

 private:
  std::unique_ptr<ExecutionHardware> hardware_;
};

TEST(TickAllocation, TicksOnTheParallelPortDeviceAndTheVirtualKeyboardAllocateNothing) {
  testing::TempDir dir;
  const std::string home = dir.Slash() + "home/";
  ASSERT_TRUE(SeedHomeDirectory(home).created);
  RunBlock runBlock;
  runBlock.path = dir.Write("document.ini",
                            "[config]\nTickFreq = 1000\n[snes 1]\nNumShifts = 0\n"
                            "b = b\ny = y\nselect = esc\nstart = enter\nup = up\ndown = down\n"
                            "left = left\nright = right\na = a\nx = x\nl = lshift\nr = space\n");
  runBlock.homeDir = home;
  runBlock.running = 1;
  runBlock.finished = 0;

  CountingSystemCalls calls;
  CountingEvdevCalls evdev;
  HardwareChoice choice;
  choice.parport = ParportBackEnd::kPpdev;
  choice.keyboard = KeyboardBackEnd::kUinput;
  HardwareFactory factory(choice, calls, evdev);
  HardwareFactory::Opened opened = factory.Open(runBlock.path, runBlock.homeDir);
  ASSERT_NE(opened.hardware, nullptr) << opened.error;

  ProcessState state;
  {
    HardwareCountingHost host(runBlock, std::move(opened.hardware), 3000);
    ExecutionThread(runBlock, state, host);
    EXPECT_EQ(host.failures, std::vector<std::string>{});
  }
  EXPECT_EQ(state.PadCount, 1);
  EXPECT_GT(evdev.keyEvents, 20);  // The pad did type.
  EXPECT_EQ(testing::AllocationsCounted(), 0);
}

}  // namespace
}  // namespace zarvel
