#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/system_calls.h"

namespace zarvel {

// One range of I/O ports the kernel has handed out, and to whom.
struct IoPortRange {
  uint32_t first = 0;
  uint32_t last = 0;
  std::string owner;
};

// The kernel's map of the I/O ports, as /proc/ioports lists it: one range a line, "0060-0060 :
// keyboard", a range that lies inside another (a device on a bus, a driver inside its device)
// indented under it. The map keeps the lines in their order, so the ranges holding a port come
// outermost first.
class IoPortMap {
 public:
  // Lines that do not read as a range and an owner are passed over.
  static IoPortMap Parse(std::string_view text);

  // The ranges that hold `port`, the outermost first.
  std::vector<const IoPortRange*> Holding(uint32_t port) const;

 private:
  std::vector<IoPortRange> ranges_;
};

// Why the three registers of a parallel port at `base` must not be driven with the port
// instructions, or nothing when they may: when they fall below 0x100, where the PC's own
// devices answer, or beyond the last port, or on ports /proc/ioports gives to a device that is
// not a parallel port. A map that cannot be read refuses nothing beyond the first two.
std::optional<std::string> CheckDirectParallelPort(SystemCalls& calls, uint32_t base);

}  // namespace zarvel
