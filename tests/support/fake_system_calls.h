#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/system_calls.h"
#include "platform/sim/sim_parallel_port.h"

namespace zarvel::testing {

// System calls for tests: every call is logged as a line of text ("open /dev/parport0",
// "ioctl PPWDATA 05", "flock LOCK_EX|LOCK_NB", "read /proc/ioports", "list /dev", "chown /h
// 1000:1000", "ioperm 0x378 3", "in 0x64", "out 0x60 1E", "cli", "setuid 1000"), and answers come
// from what the test set up. A parallel-port device answers its register operations as the Linux
// driver does: data and control read back what was written (control from the driver's copy, low
// four bits only) and status gives `status`.
class FakeSystemCalls : public SystemCalls {
 public:
  int Open(const std::string& path, int flags) override;
  int Close(int fd) override;
  int Ioctl(int fd, unsigned long request, void* argument) override;
  int Flock(int fd, int operation) override;
  std::optional<std::string> ReadTextFile(const std::string& path) override;
  // The device files made (with MakeFile or openErrors) directly in the directory.
  std::vector<std::string> DirectoryEntries(const std::string& path) override;
  int ChangeOwner(const std::string& path, uid_t uid, gid_t gid) override;
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
  int iopermError = 0;
  int ioplError = 0;
  std::map<std::string, int> setErrors;  // "setgroups", "setgid", "setuid": errno.
  std::map<std::string, std::string> environment;
  std::string kernelRelease = "6.1.0-28-amd64";
  uid_t effectiveUser = 1000;
  bool portInstructions = true;

  // The parallel port behind a device, and the ports behind the port instructions.
  uint8_t status = 0x78;
  uint8_t data = 0;
  uint8_t control = 0;
  std::function<uint8_t(uint16_t port)> answerIn;  // Port instructions; 0xFF when unset.
  // When set, the parallel-port device's registers are this simulated port's, pads and all,
  // instead of the three bytes above.
  SimParallelPort* simulatedPort = nullptr;  // Behind the device and the direct ports alike.

 private:
  void AnswerFromSimulatedPort(unsigned long request, unsigned char& byte);

  int nextFd_ = 3;
  std::map<int, std::string> openPaths_;
};

// The name of a parallel-port device request ("PPCLAIM"), or its number in hexadecimal.
std::string PpdevRequestName(unsigned long request);

}  // namespace zarvel::testing
