#pragma once

#include <string>
#include <vector>

#include "platform/linux/system_calls.h"

namespace zarvel {

// What this machine offers an execution besides the simulated PC, as a host lists it for the
// user to choose from: the parallel-port devices there are, and whether the process may use
// the port instructions.
struct AvailableHardware {
  // "/dev/parport0", "/dev/parport1", ..., in the order of their numbers.
  std::vector<std::string> parportDevices;
  // Whether direct port access can be had: the PC has port instructions and the process runs
  // as root or with the capability CAP_SYS_RAWIO, without which the kernel grants no port.
  bool directAccess = false;
};

AvailableHardware FindAvailableHardware(SystemCalls& calls);

}  // namespace zarvel
