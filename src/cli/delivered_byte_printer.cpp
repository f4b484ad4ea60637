#include "cli/delivered_byte_printer.h"

#include <cstdio>

namespace zarvel {

void DeliveredBytePrinter::Print(int64_t tick, uint8_t byte) {
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", byte);
  out_ << tick << ' ' << hex << ' ' << DescribeScanCodeEvent(decoder_.Decode(byte)) << '\n';
}

}  // namespace zarvel
