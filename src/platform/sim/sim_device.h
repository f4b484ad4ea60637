#pragma once

#include <cstdint>

namespace zarvel {

// A device on the simulated PC's I/O bus. Each device answers the ports it claims; the
// simulated PC hands every access of such a port to it.
class SimDevice {
 public:
  virtual ~SimDevice() = default;

  virtual bool Claims(uint16_t port) const = 0;
  virtual uint8_t Read(uint16_t port) = 0;
  virtual void Write(uint16_t port, uint8_t value) = 0;
};

}  // namespace zarvel
