#include "pads/pin_table.h"

namespace zarvel {

// The standard (SPP) assignment of the 25-pin connector. The port hardware inverts Busy in the
// status register, and nStrobe, nAutoFeed and nSelectIn in the control register.
const std::array<PinDef, kPinTableSize> PinTable = {{
    {kDataRegister, 0x00, 0},     // 0: no line
    {kControlRegister, 0x01, 1},  // 1: nStrobe, control bit 0
    {kDataRegister, 0x01, 0},     // 2: D0
    {kDataRegister, 0x02, 0},     // 3: D1
    {kDataRegister, 0x04, 0},     // 4: D2
    {kDataRegister, 0x08, 0},     // 5: D3
    {kDataRegister, 0x10, 0},     // 6: D4
    {kDataRegister, 0x20, 0},     // 7: D5
    {kDataRegister, 0x40, 0},     // 8: D6
    {kDataRegister, 0x80, 0},     // 9: D7
    {kStatusRegister, 0x40, 0},   // 10: nAck, status bit 6
    {kStatusRegister, 0x80, 1},   // 11: Busy, status bit 7
    {kStatusRegister, 0x20, 0},   // 12: Paper End, status bit 5
    {kStatusRegister, 0x10, 0},   // 13: Select, status bit 4
    {kControlRegister, 0x02, 1},  // 14: nAutoFeed, control bit 1
    {kStatusRegister, 0x08, 0},   // 15: nError, status bit 3
    {kControlRegister, 0x04, 0},  // 16: nInit, control bit 2
    {kControlRegister, 0x08, 1},  // 17: nSelectIn, control bit 3
}};

}  // namespace zarvel
