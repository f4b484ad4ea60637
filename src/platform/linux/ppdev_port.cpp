#include "platform/linux/ppdev_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
// After sys/ioctl.h, which defines the request macros it uses.
#include <linux/ppdev.h>

#include <cerrno>

namespace zarvel {
namespace {

// Register offsets from the port's base address.
constexpr uint16_t kRegData = 0;
constexpr uint16_t kRegStatus = 1;
constexpr uint16_t kRegControl = 2;

// What a read answers when the system call fails: an idle bus, as an absent port would.
constexpr uint8_t kFailedRead = 0xFF;

// The data lines drive the connector (rather than listen to it) when the direction is 0.
constexpr int kDataLinesDrive = 0;
constexpr int kDataLinesRead = 1;
// The control register's bit that turns the data lines round. The kernel keeps the direction
// apart from the control lines and has a request of its own for it.
constexpr uint8_t kControlDataInput = 0x20;

std::string OpenError(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return path +
             " is missing or has no port behind it: is the parport_pc module loaded? "
             "(sudo modprobe -a parport_pc ppdev)";
    case EACCES:
    case EPERM:
      return "no permission to open " + path +
             ": the usual group is lp (sudo adduser $USER lp, then log in again)";
    default:
      return "could not open " + path + ": " + ErrorText(error);
  }
}

// Two programs that claim one port lock each other up inside the kernel: the second waits in
// its claim for as long as the first holds the port, and the first may wait on the second.
// Zarvel takes this lock on the device before each claim, so a second Zarvel is told at once
// instead.
std::string LockError(const std::string& path, int error) {
  if (error == EWOULDBLOCK) {
    return path + " is in use by another program (another Zarvel?): stop it first";
  }
  return "could not lock " + path + " for this execution: " + ErrorText(error);
}

}  // namespace

PpdevDevice::Opened PpdevDevice::Open(SystemCalls& calls, const std::string& path) {
  const int fd = calls.Open(path, O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    return {nullptr, OpenError(path, -fd)};
  }
  return {std::unique_ptr<PpdevDevice>(new PpdevDevice(calls, path, fd)), {}};
}

PpdevDevice::~PpdevDevice() {
  calls_.Close(fd_);
}

PpdevPort::Claimed PpdevPort::Claim(PpdevDevice& device, uint16_t base) {
  SystemCalls& calls = device.Calls();
  if (const int error = calls.Flock(device.Fd(), LOCK_EX | LOCK_NB); error < 0) {
    return {nullptr, LockError(device.Path(), -error)};
  }
  if (const int error = calls.Ioctl(device.Fd(), PPCLAIM, nullptr); error < 0) {
    calls.Flock(device.Fd(), LOCK_UN);
    return {nullptr, "could not claim " + device.Path() + ": " + ErrorText(-error)};
  }
  std::unique_ptr<PpdevPort> port(new PpdevPort(device, base));
  // A bidirectional port may have been left listening by its last user; the pads need the
  // data lines driven. Ports without a direction setting refuse this, which is as good.
  int direction = kDataLinesDrive;
  calls.Ioctl(device.Fd(), PPDATADIR, &direction);
  return {std::move(port), {}};
}

PpdevPort::~PpdevPort() {
  device_.Calls().Ioctl(device_.Fd(), PPRELEASE, nullptr);
  // The device stays open for the next execution; another program may take the port until then.
  device_.Calls().Flock(device_.Fd(), LOCK_UN);
}

uint8_t PpdevPort::In(uint16_t port) {
  unsigned long request = 0;
  switch (static_cast<uint16_t>(port - base_)) {
    case kRegData:
      request = PPRDATA;
      break;
    case kRegStatus:
      request = PPRSTATUS;
      break;
    case kRegControl:
      request = PPRCONTROL;
      break;
    default:
      return kFailedRead;
  }
  unsigned char value = kFailedRead;
  if (device_.Calls().Ioctl(device_.Fd(), request, &value) < 0) {
    return kFailedRead;
  }
  return value;
}

void PpdevPort::Out(uint16_t port, uint8_t value) {
  unsigned long request = 0;
  switch (static_cast<uint16_t>(port - base_)) {
    case kRegData:
      request = PPWDATA;
      break;
    case kRegControl:
      request = PPWCONTROL;
      SetDataDirection((value & kControlDataInput) != 0);
      value = static_cast<uint8_t>(value & ~kControlDataInput);
      break;
    default:
      // The status register has nothing to write: the write is dropped, as the port itself
      // would drop it.
      return;
  }
  unsigned char byte = value;
  // A register write is not verified, as with the port instructions.
  device_.Calls().Ioctl(device_.Fd(), request, &byte);
}

void PpdevPort::SetDataDirection(bool read) {
  if (read == dataLinesRead_) {
    return;
  }
  int direction = read ? kDataLinesRead : kDataLinesDrive;
  if (device_.Calls().Ioctl(device_.Fd(), PPDATADIR, &direction) >= 0) {
    dataLinesRead_ = read;
  }
}

}  // namespace zarvel
