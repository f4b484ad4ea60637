#pragma once

#include <cstdint>

namespace zarvel {

// The Intel 8042 keyboard controller and the master interrupt controller of a PC: what the
// injection methods drive and what the simulated PC models.
inline constexpr uint16_t kControllerDataPort = 0x60;    // Data byte for the controller.
inline constexpr uint16_t kControllerStatusPort = 0x64;  // Read: status. Write: command.
inline constexpr uint16_t kInterruptMaskPort = 0x21;     // Master interrupt controller's mask.

// Status register bits.
inline constexpr uint8_t kStatusOutputFull = 0x01;  // A byte waits for the system to read it.
inline constexpr uint8_t kStatusInputFull = 0x02;   // The controller has not taken the last byte.
inline constexpr uint8_t kStatusSystemFlag = 0x04;  // Set once the self-test has passed.
inline constexpr uint8_t kStatusLastWasCommand = 0x08;  // The last byte went to the status port.

// Commands written to the status port. The RAM commands carry the address in their low bits.
inline constexpr uint8_t kCmdReadRam = 0x20;         // + address: RAM byte to the output buffer.
inline constexpr uint8_t kCmdWriteRam = 0x60;        // + address: next data byte to RAM.
inline constexpr uint8_t kCmdEnableKeyboard = 0xAE;  // Enables the keyboard interface.
inline constexpr uint8_t kCmdWriteKeyboardOutput = 0xD2;  // Next data byte as if typed.

// Bits of the command byte, RAM byte 0.
inline constexpr uint8_t kModeKeyboardInterrupt = 0x01;
inline constexpr uint8_t kModeSystemFlag = 0x04;
inline constexpr uint8_t kModeKeyboardDisabled = 0x10;
inline constexpr uint8_t kModeTranslate = 0x40;

// The controller's RAM: 32 bytes, addressed by the low five bits of a RAM command. The highest
// address is also the highest that [config] 8042Addr may name for the injection mailbox.
inline constexpr int kControllerRamSize = 32;
inline constexpr uint8_t kControllerRamAddressMask = 0x1F;
inline constexpr uint8_t kHighestControllerAddress = kControllerRamSize - 1;

}  // namespace zarvel
