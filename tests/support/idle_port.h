#pragma once

#include <cstdint>

#include "hardware/port_io.h"

namespace zarvel::testing {

// A port whose status lines all read high (Busy, bit 7, reads inverted): every pad on it is
// plugged in and idle. Writes go nowhere.
class IdlePort : public PortIo {
 public:
  static constexpr uint8_t kAllStatusLinesHigh = 0x7F;

  uint8_t In(uint16_t) override { return kAllStatusLinesHigh; }
  void Out(uint16_t, uint8_t) override {}
  void DisableInterrupts() override {}
  void EnableInterrupts() override {}
};

}  // namespace zarvel::testing
