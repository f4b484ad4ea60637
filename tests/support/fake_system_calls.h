#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/system_calls.h"
#include "platform/sim/sim_parallel_port.h"

namespace zarvel::testing {

// System calls for tests: every call is logged as a line of text ("open /dev/parport0",
// "ioctl PPWDATA 05", "flock LOCK_EX|LOCK_NB", "read /proc/ioports", "list /dev", "ioperm 0x378
// 3", "in 0x64", "out 0x60 1E", "cli", "setuid 1000"), and answers come from what the test set
// up. A parallel-port device answers its register operations as the Linux driver does: data and
// control read back what was written (control from the driver's copy, low four bits only) and
// status gives `status`.
//
// The calls that make a home directory act on the real files (under a test's own folder), named
// in the log by the whole path they reach ("mkdirat /tmp/x/home", "openat /tmp/x/home",
// "rename /tmp/x/.home.new-1-0 home", "remove /tmp/x/f", "readlink /tmp/x/l"), an open that may
// follow a link marked " following links"; but `fchown` is only logged ("fchown /tmp/x/home
// 1000:1001"), and what the test process owns reads as owned by `filesOwner`.
class FakeSystemCalls : public SystemCalls {
 public:
  int Open(const std::string& path, int flags) override;
  int Close(int fd) override;
  int Ioctl(int fd, unsigned long request, void* argument) override;
  int Flock(int fd, int operation) override;
  std::optional<std::string> ReadTextFile(const std::string& path) override;
  // The device files made (with MakeFile or openErrors) directly in the directory.
  std::vector<std::string> DirectoryEntries(const std::string& path) override;
  int OpenAt(int folderFd, const std::string& name, int flags, mode_t mode) override;
  int MakeFolderAt(int folderFd, const std::string& name, mode_t mode) override;
  int Status(int fd, struct stat& status) override;
  std::optional<std::string> ReadLinkAt(int folderFd, const std::string& name) override;
  long Write(int fd, std::string_view bytes) override;
  int Sync(int fd) override;
  int ChangeOwner(int fd, uid_t uid, gid_t gid) override;
  int RenameAt(int folderFd, const std::string& from, const std::string& to) override;
  int RemoveAt(int folderFd, const std::string& name, bool folder) override;
  int Ioperm(unsigned long from, unsigned long count, bool on) override;
  int Iopl(int level) override;
  uint8_t InByte(uint16_t port) override;
  void OutByte(uint16_t port, uint8_t value) override;
  void DisableInterrupts() override { log.push_back("cli"); }
  void EnableInterrupts() override { log.push_back("sti"); }
  bool HasPortInstructions() const override { return portInstructions; }
  std::string KernelRelease() override { return kernelRelease; }
  uid_t EffectiveUserId() override { return effectiveUser; }
  std::optional<std::string> Environment(const std::string& name) override;
  int ClearSupplementaryGroups() override;
  int SetGroupId(gid_t gid) override;
  int SetUserId(uid_t uid) override;
  // Logged as "getrlimit RTPRIO", "setrlimit RTTIME 200000 200000" (soft, then hard; infinity
  // as "unlimited"), "sched FIFO 10", "mlockall", "munlockall".
  int GetResourceLimit(int resource, rlimit& limit) override;
  int SetResourceLimit(int resource, const rlimit& limit) override;
  bool HasCapability(int capability) override { return capabilities.count(capability) != 0; }
  int SetThreadScheduler(int policy, int priority) override;
  int LockAllMemory() override;
  int UnlockAllMemory() override;
  pid_t ProcessId() override { return processId; }
  pid_t ThreadId() override { return threadId; }

  // Makes a device file that opens. Files not made answer ENOENT.
  void MakeFile(const std::string& path) { openErrors[path] = 0; }

  // How many logged calls begin with `prefix`.
  int Count(const std::string& prefix) const;
  // The index of the first logged call equal to `line`, or -1.
  int IndexOf(const std::string& line) const;

  std::vector<std::string> log;
  std::map<std::string, int> openErrors;     // 0: opens; else the errno it fails with.
  std::map<std::string, int> ioctlErrors;    // By request name ("PPCLAIM"): errno.
  std::map<std::string, int> lockErrors;     // By the path the fd was opened with: errno.
  std::map<std::string, std::string> files;  // What ReadTextFile finds; others cannot be read.
  int chownError = 0;
  // By call and a part of the file's name ("write zarvel.ini", "fsync keys.cfg"): the errno that
  // call fails with on that file. The calls are openat, mkdirat, write, fsync, rename.
  std::map<std::string, int> fileErrors;
  uid_t filesOwner = 1000;
  // Called after each logged call on a file with its log line, to change the files meanwhile as
  // another user could.
  std::function<void(const std::string& line)> afterFileCall;
  int iopermError = 0;
  int ioplError = 0;
  std::map<std::string, int> setErrors;  // "setgroups", "setgid", "setuid": errno.
  std::map<std::string, std::string> environment;
  std::string kernelRelease = "6.1.0-28-amd64";
  uid_t effectiveUser = 1000;
  bool portInstructions = true;

  // A user's process on a desktop: no real-time priority of its own, no limit on real-time
  // CPU time, and the usual 8 MiB of memory it may lock.
  std::map<int, rlimit> limits{{RLIMIT_RTPRIO, {0, 0}},
                               {RLIMIT_RTTIME, {RLIM_INFINITY, RLIM_INFINITY}},
                               {RLIMIT_MEMLOCK, {8 << 20, 8 << 20}}};
  std::set<int> capabilities;  // CAP_SYS_NICE, CAP_IPC_LOCK, ...
  int setLimitError = 0;
  // When set, the errno sched_setscheduler fails with; otherwise it follows the kernel's rule:
  // SCHED_FIFO only with CAP_SYS_NICE or at no more than RLIMIT_RTPRIO allows.
  std::optional<int> schedulerError;
  int lockError = 0;
  pid_t processId = 4000;
  pid_t threadId = 4001;

  // The parallel port behind a device, and the ports behind the port instructions.
  uint8_t status = 0x78;
  uint8_t data = 0;
  uint8_t control = 0;
  std::function<uint8_t(uint16_t port)> answerIn;  // Port instructions; 0xFF when unset.
  // When set, the parallel-port device's registers are this simulated port's, pads and all,
  // instead of the three bytes above.
  SimParallelPort* simulatedPort = nullptr;  // Behind the device and the direct ports alike.
  bool dataLinesRead = false;                // As the last PPDATADIR set them.
  uint8_t simulatedControl = 0;              // The control lines last written through the device.

 private:
  void AnswerFromSimulatedPort(unsigned long request, unsigned char& byte);
  void SimulatedControlWrite(uint8_t byte);

  // The path a file call reaches, and whether the test asked it to fail.
  std::string PathAt(int folderFd, const std::string& name) const;
  int FileError(const std::string& call, const std::string& path) const;
  void LogFileCall(const std::string& line);

  int nextFd_ = 3;
  std::map<int, std::string> openPaths_;
  // Real descriptors under numbers of the fake's own, so that they never meet a device's.
  int nextRealFd_ = 1000;
  std::map<int, int> realFds_;
  std::map<int, std::string> realPaths_;
};

// The name of a parallel-port device request ("PPCLAIM"), or its number in hexadecimal.
std::string PpdevRequestName(unsigned long request);

}  // namespace zarvel::testing
