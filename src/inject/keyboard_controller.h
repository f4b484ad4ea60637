#pragma once

#include <cstdint>

namespace zarvel {

// The Intel 8042 keyboard controller and the master interrupt controller, as the injection
// methods drive them.
inline constexpr uint16_t kControllerDataPort = 0x60;    // Data byte for the controller.
inline constexpr uint16_t kControllerStatusPort = 0x64;  // Read: status. Write: command.
inline constexpr uint16_t kInterruptMaskPort = 0x21;     // Master interrupt controller's mask.

inline constexpr uint8_t kStatusOutputFull = 0x01;  // A byte waits for the system to read it.
inline constexpr uint8_t kStatusInputFull = 0x02;   // The controller has not taken the last byte.

inline constexpr uint8_t kCmdReadRam = 0x20;         // + address: RAM byte to the output buffer.
inline constexpr uint8_t kCmdWriteRam = 0x60;        // + address: next data byte to RAM.
inline constexpr uint8_t kCmdEnableKeyboard = 0xAE;  // Enables the keyboard interface.
inline constexpr uint8_t kCmdWriteKeyboardOutput = 0xD2;  // Next data byte as if typed.

// Highest controller RAM address the mailbox may use; a RAM command carries it in these bits.
inline constexpr uint8_t kHighestControllerAddress = 0x1F;
inline constexpr uint8_t kControllerRamAddressMask = 0x1F;

}  // namespace zarvel
