#include "support/fake_system_calls.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
// After sys/ioctl.h, which defines the request macros it uses.
#include <linux/ppdev.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace zarvel::testing {
namespace {

// The control lines the parallel-port driver lets a program write and reads back.
constexpr uint8_t kDriverControlBits = 0x0F;

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

}  // namespace

std::string PpdevRequestName(unsigned long request) {
  struct Named {
    unsigned long request;
    const char* name;
  };
  static const Named kNames[] = {
      {PPCLAIM, "PPCLAIM"},       {PPRELEASE, "PPRELEASE"},   {PPDATADIR, "PPDATADIR"},
      {PPRDATA, "PPRDATA"},       {PPWDATA, "PPWDATA"},       {PPRSTATUS, "PPRSTATUS"},
      {PPRCONTROL, "PPRCONTROL"}, {PPWCONTROL, "PPWCONTROL"},
  };
  for (const Named& named : kNames) {
    if (named.request == request) {
      return named.name;
    }
  }
  return "0x" + Hex(static_cast<unsigned>(request), 8);
}

int FakeSystemCalls::Open(const std::string& path, int /*flags*/) {
  log.push_back("open " + path);
  const auto file = openErrors.find(path);
  const int error = file == openErrors.end() ? ENOENT : file->second;
  if (error != 0) {
    return -error;
  }
  openPaths_[nextFd_] = path;
  return nextFd_++;
}

int FakeSystemCalls::Close(int fd) {
  if (const auto real = realFds_.find(fd); real != realFds_.end()) {
    // Files are closed quietly: what matters is what was done to them.
    const int result = ::close(real->second);
    realFds_.erase(real);
    realPaths_.erase(fd);
    return result < 0 ? -errno : 0;
  }
  log.push_back("close " + std::to_string(fd));
  return 0;
}

int FakeSystemCalls::Ioctl(int /*fd*/, unsigned long request, void* argument) {
  const std::string name = PpdevRequestName(request);
  auto* byte = static_cast<unsigned char*>(argument);
  std::string line = "ioctl " + name;
  if (request == PPWDATA || request == PPWCONTROL) {
    line += " " + Hex(*byte, 2);
  }
  log.push_back(line);
  if (const auto error = ioctlErrors.find(name); error != ioctlErrors.end()) {
    return -error->second;
  }
  if (request == PPDATADIR && argument != nullptr) {
    // The kernel keeps the data lines' direction apart from the control byte; the simulated
    // port has it as the control register's direction bit.
    dataLinesRead = *static_cast<int*>(argument) != 0;
    if (simulatedPort != nullptr) {
      SimulatedControlWrite(simulatedControl);
    }
    return 0;
  }
  if (simulatedPort != nullptr && byte != nullptr) {
    AnswerFromSimulatedPort(request, *byte);
  } else if (request == PPWDATA) {
    data = *byte;
  } else if (request == PPWCONTROL) {
    control = static_cast<uint8_t>(*byte & kDriverControlBits);
  } else if (request == PPRDATA) {
    *byte = data;
  } else if (request == PPRSTATUS) {
    *byte = status;
  } else if (request == PPRCONTROL) {
    *byte = control;
  }
  return 0;
}

void FakeSystemCalls::AnswerFromSimulatedPort(unsigned long request, unsigned char& byte) {
  SimParallelPort& port = *simulatedPort;
  const uint16_t base = port.Base();
  if (request == PPWDATA) {
    port.Write(base, byte);
  } else if (request == PPWCONTROL) {
    SimulatedControlWrite(byte);
  } else if (request == PPRDATA) {
    byte = port.Read(base);
  } else if (request == PPRSTATUS) {
    byte = port.Read(static_cast<uint16_t>(base + kStatusRegister));
  } else if (request == PPRCONTROL) {
    byte = port.Read(static_cast<uint16_t>(base + kControlRegister));
  }
}

void FakeSystemCalls::SimulatedControlWrite(uint8_t byte) {
  // As the kernel's driver does, the request writes the control lines only.
  simulatedControl = static_cast<uint8_t>(byte & kDriverControlBits);
  const uint8_t direction = dataLinesRead ? kParControlDataInput : 0;
  simulatedPort->Write(static_cast<uint16_t>(simulatedPort->Base() + kControlRegister),
                       static_cast<uint8_t>(simulatedControl | direction));
}

int FakeSystemCalls::Flock(int fd, int operation) {
  if ((operation & LOCK_UN) != 0) {
    log.push_back("flock LOCK_UN");
    return 0;
  }
  log.push_back(std::string("flock ") + ((operation & LOCK_EX) != 0 ? "LOCK_EX" : "LOCK_SH") +
                ((operation & LOCK_NB) != 0 ? "|LOCK_NB" : ""));
  const auto error = lockErrors.find(openPaths_[fd]);
  return error == lockErrors.end() ? 0 : -error->second;
}

std::optional<std::string> FakeSystemCalls::ReadTextFile(const std::string& path) {
  log.push_back("read " + path);
  const auto file = files.find(path);
  if (file == files.end()) {
    return std::nullopt;
  }
  return file->second;
}

std::vector<std::string> FakeSystemCalls::DirectoryEntries(const std::string& path) {
  log.push_back("list " + path);
  const std::string prefix = path + "/";
  std::vector<std::string> names;
  for (const auto& [file, error] : openErrors) {
    const std::string name = file.substr(std::min(prefix.size(), file.size()));
    if (file.starts_with(prefix) && !name.empty() && name.find('/') == std::string::npos) {
      names.push_back(name);
    }
  }
  return names;
}

std::string FakeSystemCalls::PathAt(int folderFd, const std::string& name) const {
  if (folderFd == AT_FDCWD) {
    return name;
  }
  const auto folder = realPaths_.find(folderFd);
  const std::string base = folder == realPaths_.end() ? "?" : folder->second;
  return name == "." ? base : base == "/" ? "/" + name : base + "/" + name;
}

int FakeSystemCalls::FileError(const std::string& call, const std::string& path) const {
  const std::string name = path.substr(path.rfind('/') + 1);
  for (const auto& [key, error] : fileErrors) {
    if (key.rfind(call + " ", 0) == 0 &&
        name.find(key.substr(call.size() + 1)) != std::string::npos) {
      return error;
    }
  }
  return 0;
}

void FakeSystemCalls::LogFileCall(const std::string& line) {
  log.push_back(line);
  if (afterFileCall) {
    afterFileCall(line);
  }
}

int FakeSystemCalls::OpenAt(int folderFd, const std::string& name, int flags, mode_t mode) {
  const std::string path = PathAt(folderFd, name);
  LogFileCall("openat " + path + ((flags & O_NOFOLLOW) != 0 ? "" : " following links"));
  if (const int error = FileError("openat", path); error != 0) {
    return -error;
  }
  const int real =
      ::openat(folderFd == AT_FDCWD ? AT_FDCWD : realFds_.at(folderFd), name.c_str(), flags, mode);
  if (real < 0) {
    return -errno;
  }
  realFds_[nextRealFd_] = real;
  realPaths_[nextRealFd_] = path;
  return nextRealFd_++;
}

int FakeSystemCalls::MakeFolderAt(int folderFd, const std::string& name, mode_t mode) {
  const std::string path = PathAt(folderFd, name);
  if (const int error = FileError("mkdirat", path); error != 0) {
    LogFileCall("mkdirat " + path);
    return -error;
  }
  const int result = ::mkdirat(realFds_.at(folderFd), name.c_str(), mode);
  const int error = errno;
  LogFileCall("mkdirat " + path);
  return result < 0 ? -error : 0;
}

int FakeSystemCalls::Status(int fd, struct stat& status) {
  if (::fstat(realFds_.at(fd), &status) < 0) {
    return -errno;
  }
  if (status.st_uid == ::getuid()) {
    status.st_uid = filesOwner;
  }
  return 0;
}

std::optional<std::string> FakeSystemCalls::ReadLinkAt(int folderFd, const std::string& name) {
  LogFileCall("readlink " + PathAt(folderFd, name));
  char target[4096];
  const ssize_t length = ::readlinkat(realFds_.at(folderFd), name.c_str(), target, sizeof target);
  if (length < 0 || static_cast<size_t>(length) >= sizeof target) {
    return std::nullopt;
  }
  return std::string(target, static_cast<size_t>(length));
}

long FakeSystemCalls::Write(int fd, std::string_view bytes) {
  if (const int error = FileError("write", realPaths_.at(fd)); error != 0) {
    return -error;
  }
  const ssize_t written = ::write(realFds_.at(fd), bytes.data(), bytes.size());
  return written < 0 ? -errno : written;
}

int FakeSystemCalls::Sync(int fd) {
  if (const int error = FileError("fsync", realPaths_.at(fd)); error != 0) {
    return -error;
  }
  return 0;  // Tests need not wait for the disk.
}

int FakeSystemCalls::ChangeOwner(int fd, uid_t uid, gid_t gid) {
  LogFileCall("fchown " + realPaths_.at(fd) + " " + std::to_string(uid) + ":" +
              std::to_string(gid));
  return -chownError;
}

int FakeSystemCalls::RenameAt(int folderFd, const std::string& from, const std::string& to) {
  const std::string path = PathAt(folderFd, from);
  LogFileCall("rename " + path + " " + to);
  if (const int error = FileError("rename", to); error != 0) {
    return -error;
  }
  const int real = realFds_.at(folderFd);
  const int result = ::renameat2(real, from.c_str(), real, to.c_str(), RENAME_NOREPLACE);
  return result < 0 ? -errno : 0;
}

int FakeSystemCalls::RemoveAt(int folderFd, const std::string& name, bool folder) {
  LogFileCall("remove " + PathAt(folderFd, name));
  const int result = ::unlinkat(realFds_.at(folderFd), name.c_str(), folder ? AT_REMOVEDIR : 0);
  return result < 0 ? -errno : 0;
}

int FakeSystemCalls::Ioperm(unsigned long from, unsigned long count, bool on) {
  log.push_back("ioperm 0x" + Hex(static_cast<unsigned>(from), 1) + " " + std::to_string(count) +
                (on ? "" : " off"));
  return -iopermError;
}

int FakeSystemCalls::Iopl(int level) {
  log.push_back("iopl " + std::to_string(level));
  return -ioplError;
}

uint8_t FakeSystemCalls::InByte(uint16_t port) {
  log.push_back("in 0x" + Hex(port, 1));
  if (simulatedPort != nullptr && simulatedPort->Claims(port)) {
    return simulatedPort->Read(port);
  }
  return answerIn ? answerIn(port) : 0xFF;
}

void FakeSystemCalls::OutByte(uint16_t port, uint8_t value) {
  log.push_back("out 0x" + Hex(port, 1) + " " + Hex(value, 2));
  if (simulatedPort != nullptr && simulatedPort->Claims(port)) {
    simulatedPort->Write(port, value);
  }
}

std::optional<std::string> FakeSystemCalls::Environment(const std::string& name) {
  const auto value = environment.find(name);
  if (value == environment.end()) {
    return std::nullopt;
  }
  return value->second;
}

int FakeSystemCalls::ClearSupplementaryGroups() {
  log.push_back("setgroups");
  return -setErrors["setgroups"];
}

int FakeSystemCalls::SetGroupId(gid_t gid) {
  log.push_back("setgid " + std::to_string(gid));
  return -setErrors["setgid"];
}

int FakeSystemCalls::SetUserId(uid_t uid) {
  log.push_back("setuid " + std::to_string(uid));
  if (setErrors["setuid"] == 0) {
    effectiveUser = uid;
  }
  return -setErrors["setuid"];
}

namespace {

std::string LimitName(int resource) {
  switch (resource) {
    case RLIMIT_RTPRIO:
      return "RTPRIO";
    case RLIMIT_RTTIME:
      return "RTTIME";
    case RLIMIT_MEMLOCK:
      return "MEMLOCK";
    default:
      return std::to_string(resource);
  }
}

std::string LimitText(rlim_t value) {
  return value == RLIM_INFINITY ? "unlimited" : std::to_string(value);
}

}  // namespace

int FakeSystemCalls::GetResourceLimit(int resource, rlimit& limit) {
  log.push_back("getrlimit " + LimitName(resource));
  const auto known = limits.find(resource);
  if (known == limits.end()) {
    return -EINVAL;
  }
  limit = known->second;
  return 0;
}

int FakeSystemCalls::SetResourceLimit(int resource, const rlimit& limit) {
  log.push_back("setrlimit " + LimitName(resource) + " " + LimitText(limit.rlim_cur) + " " +
                LimitText(limit.rlim_max));
  if (setLimitError != 0) {
    return -setLimitError;
  }
  limits[resource] = limit;
  return 0;
}

int FakeSystemCalls::SetThreadScheduler(int policy, int priority) {
  log.push_back(std::string("sched ") + (policy == SCHED_FIFO ? "FIFO" : "OTHER") + " " +
                std::to_string(priority));
  if (schedulerError) {
    return -*schedulerError;
  }
  // The kernel's rule for a process without CAP_SYS_NICE: no higher than RLIMIT_RTPRIO.
  const bool allowed = policy != SCHED_FIFO || HasCapability(CAP_SYS_NICE) ||
                       static_cast<rlim_t>(priority) <= limits[RLIMIT_RTPRIO].rlim_cur;
  return allowed ? 0 : -EPERM;
}

int FakeSystemCalls::LockAllMemory() {
  log.push_back("mlockall");
  return -lockError;
}

int FakeSystemCalls::UnlockAllMemory() {
  log.push_back("munlockall");
  return 0;
}

int FakeSystemCalls::Count(const std::string& prefix) const {
  int count = 0;
  for (const std::string& line : log) {
    count += line.rfind(prefix, 0) == 0 ? 1 : 0;
  }
  return count;
}

int FakeSystemCalls::IndexOf(const std::string& line) const {
  for (size_t i = 0; i < log.size(); ++i) {
    if (log[i] == line) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace zarvel::testing
