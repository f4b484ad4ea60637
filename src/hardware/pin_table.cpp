#include "hardware/pin_table.h"

namespace zarvel {

// The standard (SPP) assignment of the 25-pin connector; data bit i is pin i + 2. The port hardware
// inverts Busy in the status register, and nStrobe, nAutoFeed and nSelectIn in the control
// register.
const std::array<PinDef, kPinTableSize> PinTable = {{
    {kDataRegister, 0x00, 0},                    // 0: no line
    {kControlRegister, kParControlStrobe, 1},    // 1: nStrobe
    {kDataRegister, 0x01, 0},                    // 2: D0
    {kDataRegister, 0x02, 0},                    // 3: D1
    {kDataRegister, 0x04, 0},                    // 4: D2
    {kDataRegister, 0x08, 0},                    // 5: D3
    {kDataRegister, 0x10, 0},                    // 6: D4
    {kDataRegister, 0x20, 0},                    // 7: D5
    {kDataRegister, 0x40, 0},                    // 8: D6
    {kDataRegister, 0x80, 0},                    // 9: D7
    {kStatusRegister, kParStatusAck, 0},         // 10: nAck
    {kStatusRegister, kParStatusBusy, 1},        // 11: Busy
    {kStatusRegister, kParStatusPaperEnd, 0},    // 12: Paper End
    {kStatusRegister, kParStatusSelect, 0},      // 13: Select
    {kControlRegister, kParControlAutoFeed, 1},  // 14: nAutoFeed
    {kStatusRegister, kParStatusError, 0},       // 15: nError
    {kControlRegister, kParControlInit, 0},      // 16: nInit
    {kControlRegister, kParControlSelectIn, 1},  // 17: nSelectIn
}};

}  // namespace zarvel
