#include "platform/linux/direct_port.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace zarvel {
namespace {

// What a read of a port that was not granted answers: an idle bus.
constexpr uint8_t kIdleBus = 0xFF;
// The iopl level that lets a program on an older kernel use CLI and STI.
constexpr int kFullIoPrivilege = 3;
// The first kernel whose iopl() no longer grants the interrupt flag.
constexpr int kInterruptFlagGoneMajor = 5;
constexpr int kInterruptFlagGoneMinor = 5;

std::string PortText(uint16_t port) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%X", port);
  return text;
}

std::string RangeText(const PortRange& range) {
  if (range.count <= 1) {
    return PortText(range.first);
  }
  return PortText(range.first) + "-" +
         PortText(static_cast<uint16_t>(range.first + range.count - 1));
}

std::string RefusedText(const PortRange& range, int error, bool privilegeGivenUp) {
  if (error == EPERM || error == EACCES) {
    if (privilegeGivenUp) {
      return "direct access to port " + RangeText(range) +
             " was not asked for when Zarvel started, and root has been given up since: "
             "start Zarvel again";
    }
    return "direct port access needs root: start Zarvel with sudo (it gives up root once the "
           "ports are granted), or use --parport ppdev and --keyboard uinput";
  }
  return "could not get access to port " + RangeText(range) + ": " + ErrorText(error);
}

}  // namespace

bool KernelLetsProgramsDisableInterrupts(const std::string& release) {
  int major = 0;
  int minor = 0;
  if (std::sscanf(release.c_str(), "%d.%d", &major, &minor) != 2) {
    return false;
  }
  return major < kInterruptFlagGoneMajor ||
         (major == kInterruptFlagGoneMajor && minor < kInterruptFlagGoneMinor);
}

std::optional<std::string> DirectPortAccess::Grant(std::span<const PortRange> ranges,
                                                   bool privilegeGivenUp) {
  if (!calls_.HasPortInstructions()) {
    return "direct port access needs an x86 PC: use --parport ppdev and --keyboard uinput";
  }
  for (const PortRange& range : ranges) {
    if (Granted(range)) {
      continue;
    }
    if (const int result = calls_.Ioperm(range.first, range.count, true); result < 0) {
      return RefusedText(range, -result, privilegeGivenUp);
    }
    for (uint16_t i = 0; i < range.count; ++i) {
      granted_.push_back(static_cast<uint16_t>(range.first + i));
    }
  }
  return std::nullopt;
}

std::optional<std::string> DirectPortAccess::GrantInterruptFlag() {
  if (interruptFlagDecided_) {
    return std::nullopt;
  }
  if (KernelLetsProgramsDisableInterrupts(calls_.KernelRelease())) {
    if (const int result = calls_.Iopl(kFullIoPrivilege); result < 0) {
      return "direct keyboard access needs root on this kernel: start Zarvel with sudo, or use "
             "--keyboard uinput (" +
             ErrorText(-result) + ")";
    }
    canDisableInterrupts_ = true;
  }
  interruptFlagDecided_ = true;
  return std::nullopt;
}

void DirectPortAccess::Revoke() {
  // Ports were granted in runs; giving them back one by one undoes every run.
  for (const uint16_t port : granted_) {
    calls_.Ioperm(port, 1, false);
  }
  granted_.clear();
  if (canDisableInterrupts_) {
    calls_.Iopl(0);
  }
  canDisableInterrupts_ = false;
  interruptFlagDecided_ = false;
}

bool DirectPortAccess::Granted(uint16_t port) const {
  return std::find(granted_.begin(), granted_.end(), port) != granted_.end();
}

bool DirectPortAccess::Granted(const PortRange& range) const {
  for (uint16_t i = 0; i < range.count; ++i) {
    if (!Granted(static_cast<uint16_t>(range.first + i))) {
      return false;
    }
  }
  return true;
}

bool DirectPortAccess::FirstInterruptNotice() {
  const bool first = !interruptNoticeGiven_;
  interruptNoticeGiven_ = true;
  return first;
}

uint8_t DirectPort::In(uint16_t port) {
  if (!access_.Granted(port)) {
    return kIdleBus;
  }
  return access_.Calls().InByte(port);
}

void DirectPort::Out(uint16_t port, uint8_t value) {
  if (access_.Granted(port)) {
    access_.Calls().OutByte(port, value);
  }
}

void DirectPort::DisableInterrupts() {
  if (access_.CanDisableInterrupts()) {
    access_.Calls().DisableInterrupts();
    return;
  }
  if (access_.FirstInterruptNotice() && notice_) {
    notice_(
        "this kernel does not let a program disable interrupts, so the keyboard methods old and "
        "new run with interrupts enabled");
  }
}

void DirectPort::EnableInterrupts() {
  if (access_.CanDisableInterrupts()) {
    access_.Calls().EnableInterrupts();
  }
}

}  // namespace zarvel
