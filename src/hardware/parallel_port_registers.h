#pragma once

#include <cstdint>

namespace zarvel {

// The registers of a standard PC parallel port, as offsets from its base address.
inline constexpr int8_t kDataRegister = 0;     // Eight output lines, pins 2 to 9.
inline constexpr int8_t kStatusRegister = 1;   // Input lines, pins 10, 11, 12, 13 and 15.
inline constexpr int8_t kControlRegister = 2;  // Open-collector lines, pins 1, 14, 16 and 17.
inline constexpr int kRegisterCount = 3;

// Status register bits (read only) and the connector pins they show.
inline constexpr uint8_t kParStatusError = 0x08;     // Pin 15.
inline constexpr uint8_t kParStatusSelect = 0x10;    // Pin 13.
inline constexpr uint8_t kParStatusPaperEnd = 0x20;  // Pin 12.
inline constexpr uint8_t kParStatusAck = 0x40;       // Pin 10.
inline constexpr uint8_t kParStatusBusy = 0x80;      // Pin 11, inverted by the hardware.
inline constexpr uint8_t kParStatusUnused = 0x07;    // Not wired; they read high.

// Control register bits and the connector pins they drive. The lines are open-collector; the
// bits above them are the port's own settings.
inline constexpr uint8_t kParControlStrobe = 0x01;    // Pin 1, inverted by the hardware.
inline constexpr uint8_t kParControlAutoFeed = 0x02;  // Pin 14, inverted by the hardware.
inline constexpr uint8_t kParControlInit = 0x04;      // Pin 16.
inline constexpr uint8_t kParControlSelectIn = 0x08;  // Pin 17, inverted by the hardware.
inline constexpr uint8_t kParControlLines = 0x0F;
// Set, the data register stops driving pins 2 to 9 and reads their levels at the connector
// instead (on ports the setup program has made bidirectional). It carries no pin.
inline constexpr uint8_t kParControlDataInput = 0x20;

}  // namespace zarvel
