#pragma once

#include <cstdint>
#include <ostream>

#include "hardware/scan_code_decoder.h"

namespace zarvel {

// Writes every scan-code byte that reached the simulated system as one line: the tick, the
// byte in two uppercase hexadecimal digits and what it means, as in "12 1E a pressed".
class DeliveredBytePrinter {
 public:
  explicit DeliveredBytePrinter(std::ostream& out) : out_(out) {}

  void Print(int64_t tick, uint8_t byte);

 private:
  std::ostream& out_;
  // Bytes are decoded in the order they arrive, so a prefix is read with its key.
  ScanCodeDecoder decoder_;
};

}  // namespace zarvel
