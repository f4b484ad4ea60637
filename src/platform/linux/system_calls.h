#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

// The operating system calls that the real hardware back ends make, one method each, so that
// tests can put a fake in their place and check what the back ends ask of the system. Calls
// that can fail return a negative errno value on failure (never -1 with errno set), so that
// a fake does not have to touch errno.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;

  // open(2) and close(2): a file descriptor, or -errno.
  virtual int Open(const std::string& path, int flags) = 0;
  virtual int Close(int fd) = 0;
  // ioctl(2) with a pointer argument (null for requests that take none): 0 or -errno.
  virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
  // flock(2), with LOCK_EX, LOCK_NB or LOCK_UN: 0 or -errno.
  virtual int Flock(int fd, int operation) = 0;
  // The whole text of a small file, as /proc/ioports, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadTextFile(const std::string& path) = 0;
  // The names of a directory's entries, as /dev's, in no order; none when it cannot be read.
  virtual std::vector<std::string> DirectoryEntries(const std::string& path) = 0;

  // The calls that make and fill a home directory. Each names its file relative to a folder
  // already open, so that what was checked is what is changed; none follows a symbolic link
  // unless the flags ask it to.
  // openat(2): a file descriptor, or -errno. `mode` is for a file it creates.
  virtual int OpenAt(int folderFd, const std::string& name, int flags, mode_t mode) = 0;
  // mkdirat(2): 0 or -errno.
  virtual int MakeFolderAt(int folderFd, const std::string& name, mode_t mode) = 0;
  // fstat(2): what the descriptor is (its type and owner). 0 or -errno.
  virtual int Status(int fd, struct stat& status) = 0;
  // readlinkat(2): where the symbolic link points, or nothing when it is no link.
  virtual std::optional<std::string> ReadLinkAt(int folderFd, const std::string& name) = 0;
  // write(2): how many bytes were written, or -errno.
  virtual long Write(int fd, std::string_view bytes) = 0;
  // fsync(2): 0 or -errno.
  virtual int Sync(int fd) = 0;
  // fchown(2), on what the descriptor holds: 0 or -errno.
  virtual int ChangeOwner(int fd, uid_t uid, gid_t gid) = 0;
  // renameat2(2) within one folder, never replacing what is at `to` (-EEXIST then): 0 or -errno.
  virtual int RenameAt(int folderFd, const std::string& from, const std::string& to) = 0;
  // unlinkat(2), with AT_REMOVEDIR for a folder: 0 or -errno.
  virtual int RemoveAt(int folderFd, const std::string& name, bool folder) = 0;

  // ioperm(2): lets the process reach `count` I/O ports from `from` with IN and OUT.
  virtual int Ioperm(unsigned long from, unsigned long count, bool on) = 0;
  // iopl(2): on kernels older than 5.5, level 3 also lets the process disable interrupts.
  virtual int Iopl(int level) = 0;
  // The x86 port instructions and the interrupt flag instructions; only valid once granted.
  virtual uint8_t InByte(uint16_t port) = 0;
  virtual void OutByte(uint16_t port, uint8_t value) = 0;
  virtual void DisableInterrupts() = 0;
  virtual void EnableInterrupts() = 0;
  // Whether this build can execute port instructions at all (x86 only).
  virtual bool HasPortInstructions() const = 0;

  // The running kernel's release, as uname(2) gives it ("6.1.0-28-amd64").
  virtual std::string KernelRelease() = 0;

  // Who the process is, and the variables sudo leaves for the user who started it.
  virtual uid_t EffectiveUserId() = 0;
  virtual std::optional<std::string> Environment(const std::string& name) = 0;
  // Giving up root: setgroups(0, NULL), setgid(2), setuid(2). 0 or -errno.
  virtual int ClearSupplementaryGroups() = 0;
  virtual int SetGroupId(gid_t gid) = 0;
  virtual int SetUserId(uid_t uid) = 0;

  // Real-time scheduling of the execution thread. getrlimit(2) and setrlimit(2) of one
  // resource (RLIMIT_RTPRIO, RLIMIT_RTTIME, RLIMIT_MEMLOCK): 0 or -errno.
  virtual int GetResourceLimit(int resource, rlimit& limit) = 0;
  virtual int SetResourceLimit(int resource, const rlimit& limit) = 0;
  // Whether the process holds a capability (CAP_SYS_NICE, CAP_IPC_LOCK) in its effective set.
  virtual bool HasCapability(int capability) = 0;
  // The scheduling policy and priority of the calling thread only, as sched_setscheduler(2)
  // sets them for thread id 0: 0 or -errno.
  virtual int SetThreadScheduler(int policy, int priority) = 0;
  // mlockall(2) with MCL_CURRENT and MCL_FUTURE, and munlockall(2): 0 or -errno.
  virtual int LockAllMemory() = 0;
  virtual int UnlockAllMemory() = 0;
  // The process's and the calling thread's ids, getpid(2) and gettid(2).
  virtual pid_t ProcessId() = 0;
  virtual pid_t ThreadId() = 0;
};

// The real calls.
class LinuxSystemCalls : public SystemCalls {
 public:
  int Open(const std::string& path, int flags) override;
  int Close(int fd) override;
  int Ioctl(int fd, unsigned long request, void* argument) override;
  int Flock(int fd, int operation) override;
  std::optional<std::string> ReadTextFile(const std::string& path) override;
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
  void DisableInterrupts() override;
  void EnableInterrupts() override;
  bool HasPortInstructions() const override;
  std::string KernelRelease() override;
  uid_t EffectiveUserId() override;
  std::optional<std::string> Environment(const std::string& name) override;
  int ClearSupplementaryGroups() override;
  int SetGroupId(gid_t gid) override;
  int SetUserId(uid_t uid) override;
  int GetResourceLimit(int resource, rlimit& limit) override;
  int SetResourceLimit(int resource, const rlimit& limit) override;
  bool HasCapability(int capability) override;
  int SetThreadScheduler(int policy, int priority) override;
  int LockAllMemory() override;
  int UnlockAllMemory() override;
  pid_t ProcessId() override;
  pid_t ThreadId() override;
};

// The text of an errno value, as strerror gives it.
std::string ErrorText(int errorNumber);

}  // namespace zarvel
