#include "support/fake_system_calls.h"

#include <sys/file.h>
#include <sys/ioctl.h>
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
    port.Write(static_cast<uint16_t>(base + kControlRegister), byte);
  } else if (request == PPRDATA) {
    byte = port.Read(base);
  } else if (request == PPRSTATUS) {
    byte = port.Read(static_cast<uint16_t>(base + kStatusRegister));
  } else if (request == PPRCONTROL) {
    byte = port.Read(static_cast<uint16_t>(base + kControlRegister));
  }
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

int FakeSystemCalls::ChangeOwner(const std::string& path, uid_t uid, gid_t gid) {
  log.push_back("chown " + path + " " + std::to_string(uid) + ":" + std::to_string(gid));
  return -chownError;
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
