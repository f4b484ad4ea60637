#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hardware/port_io.h"
#include "platform/linux/system_calls.h"

namespace zarvel {

// A Linux parallel-port device (/dev/parportN), open for as long as the host lives. Opening it
// early lets a missing module or a missing permission be reported before anything runs, and
// keeps it usable after a host started through sudo has given up root.
class PpdevDevice {
 public:
  // The open device, or the reason it could not be opened, as a person should read it.
  struct Opened {
    std::unique_ptr<PpdevDevice> device;
    std::string error;
  };
  static Opened Open(SystemCalls& calls, const std::string& path);

  ~PpdevDevice();
  PpdevDevice(const PpdevDevice&) = delete;
  PpdevDevice& operator=(const PpdevDevice&) = delete;

  const std::string& Path() const { return path_; }
  SystemCalls& Calls() { return calls_; }
  int Fd() const { return fd_; }

 private:
  PpdevDevice(SystemCalls& calls, std::string path, int fd)
      : calls_(calls), path_(std::move(path)), fd_(fd) {}

  SystemCalls& calls_;
  std::string path_;
  int fd_;
};

// The parallel port of one execution, reached through a claimed PpdevDevice. The three
// registers at `base`, `base` + 1 and `base` + 2 become the device's data, status and control
// operations, one system call each. The port is claimed when this is made and released when
// it goes, so other programs (a printer) can use it between executions. For as long as it is
// claimed the device is also locked (flock), and a port another program has locked is refused
// rather than waited for.
//
// Two things differ from the port instructions: the status register cannot be written, so a
// write to it is dropped; and the kernel answers a read of the control register from its own
// copy of what was last written there, not from the connector, so a pad's data line must be on
// a status pin. The control register's direction bit (0x20), which turns the data lines to
// input, becomes the device's own direction request whenever it changes.
class PpdevPort : public PortIo {
 public:
  // The claimed port, or why it could not be claimed.
  struct Claimed {
    std::unique_ptr<PpdevPort> port;
    std::string error;
  };
  static Claimed Claim(PpdevDevice& device, uint16_t base);

  ~PpdevPort() override;
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  uint8_t In(uint16_t port) override;
  void Out(uint16_t port, uint8_t value) override;
  // The parallel port has nothing to do with the interrupt flag.
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}

 private:
  PpdevPort(PpdevDevice& device, uint16_t base) : device_(device), base_(base) {}

  void SetDataDirection(bool read);

  PpdevDevice& device_;
  uint16_t base_;
  // The data lines' direction as last set: Claim leaves them driving.
  bool dataLinesRead_ = false;
};

}  // namespace zarvel
