#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hardware/port_io.h"
#include "platform/linux/system_calls.h"

namespace zarvel {

// A run of consecutive I/O ports: the parallel port's three registers, or one port.
struct PortRange {
  uint16_t first = 0;
  uint16_t count = 1;
};

// Tells the user something once, without stopping anything.
using NoticeSink = std::function<void(const std::string& text)>;

// What the kernel lets this process do with the port instructions, for the life of the host.
// Access is asked for port by port, for exactly the ports an execution uses, and kept: once a
// host started through sudo has given up root it could not get it again.
class DirectPortAccess {
 public:
  explicit DirectPortAccess(SystemCalls& calls) : calls_(calls) {}

  // Asks for the ports of `ranges` that are not granted yet. Returns why it was refused.
  // `privilegeGivenUp` says whether root was given up after an earlier grant, for the message.
  std::optional<std::string> Grant(std::span<const PortRange> ranges, bool privilegeGivenUp);

  // Works out once whether the program may disable interrupts. Kernels since 5.5 never let it;
  // older ones do after iopl(3). Returns why it was refused.
  std::optional<std::string> GrantInterruptFlag();

  // Gives every grant back, ports and interrupt flag alike. The grants belong to the thread
  // that asked for them, which is the thread that starts executions, so this is called there.
  void Revoke();

  bool Granted(uint16_t port) const;
  bool Granted(const PortRange& range) const;
  bool CanDisableInterrupts() const { return canDisableInterrupts_; }
  // True the first time it is asked, so the user hears about missing interrupt control once.
  bool FirstInterruptNotice();

  SystemCalls& Calls() { return calls_; }

 private:
  SystemCalls& calls_;
  std::vector<uint16_t> granted_;
  bool interruptFlagDecided_ = false;
  bool canDisableInterrupts_ = false;
  bool interruptNoticeGiven_ = false;
};

// The ports of one execution, reached with the port instructions themselves. A port that was
// not granted is never touched (it reads as an idle bus and writes go nowhere), since the
// processor would end the program for it.
class DirectPort : public PortIo {
 public:
  DirectPort(DirectPortAccess& access, NoticeSink notice)
      : access_(access), notice_(std::move(notice)) {}

  uint8_t In(uint16_t port) override;
  void Out(uint16_t port, uint8_t value) override;
  // Where the kernel does not allow it, disabling and enabling interrupts do nothing, and the
  // user is told so once.
  void DisableInterrupts() override;
  void EnableInterrupts() override;

 private:
  DirectPortAccess& access_;
  NoticeSink notice_;
};

// Whether a kernel release ("5.4.0-42-generic") still lets iopl(3) grant the interrupt flag,
// as kernels before 5.5 did. An unreadable release counts as a new kernel.
bool KernelLetsProgramsDisableInterrupts(const std::string& release);

}  // namespace zarvel
