#include "cli/delivered_byte_printer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zarvel {
namespace {

TEST(DeliveredBytePrinter, WritesOneLinePerByteWithItsMeaning) {
  std::ostringstream out;
  DeliveredBytePrinter printer(out);
  printer.Print(12, 0x1E);
  printer.Print(13, 0xE0);
  printer.Print(14, 0x48);
  printer.Print(15, 0xC8);
  printer.Print(1000, 0x9E);
  // Ticks are counted in 64 bits: at 1000 a second, 32 would wrap after 25 days.
  printer.Print(int64_t{1} << 32, 0x1E);
  EXPECT_EQ(out.str(),
            "12 1E a pressed\n"
            "13 E0 prefix\n"
            "14 48 up pressed\n"
            "15 C8 kp8 released\n"
            "1000 9E a released\n"
            "4294967296 1E a pressed\n");
}

}  // namespace
}  // namespace zarvel
