#include "cli/delivered_byte_printer.h"

#include <cstdio>

namespace zarvel {

void DeliveredBytePrinter::Print(int32_t tick, uint8_t byte) {
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", byte);
  // Each line is flushed, so that whoever reads the runner's output sees a key when it arrives.
  out_ << tick << ' ' << hex << ' ' << DescribeScanCodeEvent(decoder_.Decode(byte)) << std::endl;
}

}  // namespace zarvel
