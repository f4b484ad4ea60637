#include "platform/linux/system_calls.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <linux/limits.h>
#include <sched.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define ZARVEL_HAS_PORT_INSTRUCTIONS 1
#else
#define ZARVEL_HAS_PORT_INSTRUCTIONS 0
#endif

namespace zarvel {
namespace {

int ResultOrError(int result) {
  return result < 0 ? -errno : result;
}

}  // namespace

std::string ErrorText(int errorNumber) {
  return std::strerror(errorNumber);
}

int LinuxSystemCalls::Open(const std::string& path, int flags) {
  return ResultOrError(::open(path.c_str(), flags));
}

int LinuxSystemCalls::Close(int fd) {
  return ResultOrError(::close(fd));
}

int LinuxSystemCalls::Ioctl(int fd, unsigned long request, void* argument) {
  return ResultOrError(::ioctl(fd, request, argument));
}

int LinuxSystemCalls::Flock(int fd, int operation) {
  return ResultOrError(::flock(fd, operation));
}

std::optional<std::string> LinuxSystemCalls::ReadTextFile(const std::string& path) {
  // Files under /proc tell no size, so the text is read to its end rather than by its length.
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> LinuxSystemCalls::DirectoryEntries(const std::string& path) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(path, error), end; !error && entry != end;
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  return names;
}

int LinuxSystemCalls::OpenAt(int folderFd, const std::string& name, int flags, mode_t mode) {
  return ResultOrError(::openat(folderFd, name.c_str(), flags, mode));
}

int LinuxSystemCalls::MakeFolderAt(int folderFd, const std::string& name, mode_t mode) {
  return ResultOrError(::mkdirat(folderFd, name.c_str(), mode));
}

int LinuxSystemCalls::Status(int fd, struct stat& status) {
  return ResultOrError(::fstat(fd, &status));
}

std::optional<std::string> LinuxSystemCalls::ReadLinkAt(int folderFd, const std::string& name) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlinkat(folderFd, name.c_str(), target.data(), target.size());
  if (length < 0 || static_cast<size_t>(length) >= target.size()) {
    return std::nullopt;
  }
  target.resize(static_cast<size_t>(length));
  return target;
}

long LinuxSystemCalls::Write(int fd, std::string_view bytes) {
  const ssize_t written = ::write(fd, bytes.data(), bytes.size());
  return written < 0 ? -errno : written;
}

int LinuxSystemCalls::Sync(int fd) {
  return ResultOrError(::fsync(fd));
}

int LinuxSystemCalls::ChangeOwner(int fd, uid_t uid, gid_t gid) {
  return ResultOrError(::fchown(fd, uid, gid));
}

int LinuxSystemCalls::RenameAt(int folderFd, const std::string& from, const std::string& to) {
  if (::renameat2(folderFd, from.c_str(), folderFd, to.c_str(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    return -errno;
  }
  // A file system that cannot refuse to replace in a rename: a hard link fails on a name that
  // exists as well. A folder cannot be linked, and a rename never replaces a folder that holds
  // anything.
  if (::linkat(folderFd, from.c_str(), folderFd, to.c_str(), 0) == 0) {
    return ResultOrError(::unlinkat(folderFd, from.c_str(), 0));
  }
  if (errno != EPERM) {
    return -errno;
  }
  return ResultOrError(::renameat(folderFd, from.c_str(), folderFd, to.c_str()));
}

int LinuxSystemCalls::RemoveAt(int folderFd, const std::string& name, bool folder) {
  return ResultOrError(::unlinkat(folderFd, name.c_str(), folder ? AT_REMOVEDIR : 0));
}

#if ZARVEL_HAS_PORT_INSTRUCTIONS

int LinuxSystemCalls::Ioperm(unsigned long from, unsigned long count, bool on) {
  return ResultOrError(::ioperm(from, count, on ? 1 : 0));
}

int LinuxSystemCalls::Iopl(int level) {
  return ResultOrError(::iopl(level));
}

uint8_t LinuxSystemCalls::InByte(uint16_t port) {
  return ::inb(port);
}

void LinuxSystemCalls::OutByte(uint16_t port, uint8_t value) {
  ::outb(value, port);
}

void LinuxSystemCalls::DisableInterrupts() {
  asm volatile("cli" ::: "memory");
}

void LinuxSystemCalls::EnableInterrupts() {
  asm volatile("sti" ::: "memory");
}

bool LinuxSystemCalls::HasPortInstructions() const {
  return true;
}

#else

int LinuxSystemCalls::Ioperm(unsigned long, unsigned long, bool) {
  return -ENOSYS;
}

int LinuxSystemCalls::Iopl(int) {
  return -ENOSYS;
}

uint8_t LinuxSystemCalls::InByte(uint16_t) {
  return 0xFF;
}

void LinuxSystemCalls::OutByte(uint16_t, uint8_t) {}

void LinuxSystemCalls::DisableInterrupts() {}

void LinuxSystemCalls::EnableInterrupts() {}

bool LinuxSystemCalls::HasPortInstructions() const {
  return false;
}

#endif

std::string LinuxSystemCalls::KernelRelease() {
  utsname name{};
  if (::uname(&name) != 0) {
    return {};
  }
  return name.release;
}

uid_t LinuxSystemCalls::EffectiveUserId() {
  return ::geteuid();
}

std::optional<std::string> LinuxSystemCalls::Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) {
    return std::nullopt;
  }
  return std::string(value);
}

int LinuxSystemCalls::ClearSupplementaryGroups() {
  return ResultOrError(::setgroups(0, nullptr));
}

int LinuxSystemCalls::SetGroupId(gid_t gid) {
  return ResultOrError(::setgid(gid));
}

int LinuxSystemCalls::SetUserId(uid_t uid) {
  return ResultOrError(::setuid(uid));
}

int LinuxSystemCalls::GetResourceLimit(int resource, rlimit& limit) {
  return ResultOrError(::getrlimit(static_cast<__rlimit_resource>(resource), &limit));
}

int LinuxSystemCalls::SetResourceLimit(int resource, const rlimit& limit) {
  return ResultOrError(::setrlimit(static_cast<__rlimit_resource>(resource), &limit));
}

bool LinuxSystemCalls::HasCapability(int capability) {
  // The C library has no wrapper for capget; the kernel's version 3 layout holds 64
  // capabilities in two words.
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct sets[2]{};
  if (::syscall(SYS_capget, &header, sets) != 0 || capability < 0 || capability >= 64) {
    return false;
  }
  const auto word = static_cast<size_t>(capability / 32);
  return (sets[word].effective & (1U << (capability % 32))) != 0;
}

int LinuxSystemCalls::SetThreadScheduler(int policy, int priority) {
  // On Linux, thread id 0 is the calling thread alone, not the whole process.
  const sched_param parameter{.sched_priority = priority};
  return ResultOrError(::sched_setscheduler(0, policy, &parameter));
}

int LinuxSystemCalls::LockAllMemory() {
  return ResultOrError(::mlockall(MCL_CURRENT | MCL_FUTURE));
}

int LinuxSystemCalls::UnlockAllMemory() {
  return ResultOrError(::munlockall());
}

pid_t LinuxSystemCalls::ProcessId() {
  return ::getpid();
}

pid_t LinuxSystemCalls::ThreadId() {
  return ::gettid();
}

}  // namespace zarvel
