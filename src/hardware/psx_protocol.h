#pragma once

#include <cstdint>

namespace zarvel {

// The PlayStation pad's serial exchange, as the Linux kernel's parallel-port driver documents
// it. While its select line is low the pad trades one bit each way at every clock pulse, least
// significant bit first: the port puts a command bit on the command line and takes the clock
// low, reads the pad's bit from the data line, and takes the clock high again, when the pad
// takes the command bit. Select high ends the exchange.

// The command bytes the port sends: "hello", "send your buttons", then filler while the pad
// answers.
inline constexpr uint8_t kPsxCmdStart = 0x01;
inline constexpr uint8_t kPsxCmdRead = 0x42;
inline constexpr uint8_t kPsxCmdIdle = 0x00;

// What the pad answers: its identity byte with the second command, and this byte with the
// third, before the bytes of its buttons.
inline constexpr uint8_t kPsxAnswerReady = 0x5A;
// The identity byte: its high four bits are the pad's type, its low four bits the number of
// 16-bit words that follow.
inline constexpr uint8_t kPsxIdDigital = 0x41;      // A digital pad or a dance mat.
inline constexpr uint8_t kPsxIdAnalogRed = 0x73;    // An analog pad with its light on.
inline constexpr uint8_t kPsxIdAnalogGreen = 0x53;  // An analog stick in its green mode.
inline constexpr uint8_t kPsxIdWordsMask = 0x0F;

// The bytes of one exchange: start, identity, ready, then at most six bytes of buttons and
// sticks (two of buttons; right stick across and down, left stick across and down).
inline constexpr int kPsxBitsPerByte = 8;
inline constexpr int kPsxHeaderBytes = 3;
inline constexpr int kPsxIdentityByte = 1;
inline constexpr int kPsxReadyByte = 2;
inline constexpr int kPsxMostDataBytes = 6;
inline constexpr int kPsxFrameBytes = kPsxHeaderBytes + kPsxMostDataBytes;
inline constexpr int kPsxButtonBytes = 2;
inline constexpr int kPsxRightX = 2;  // Data byte offsets of the stick positions.
inline constexpr int kPsxRightY = 3;
inline constexpr int kPsxLeftX = 4;
inline constexpr int kPsxLeftY = 5;
// A stick at rest reads this; 0 is fully left or up, 255 fully right or down.
inline constexpr int32_t kPsxStickCentre = 0x80;

// Microseconds the port waits after each clock edge (the kernel driver's default), and the
// multiple of it waited after select changes, so that the pad can wake and settle.
inline constexpr int32_t kPsxDefaultDelayUs = 25;
inline constexpr int32_t kPsxSelectDelayFactor = 2;
inline constexpr int32_t kLongestPsxDelayUs = 100;

// The number of data bytes an identity byte announces, at most kPsxMostDataBytes.
constexpr int PsxDataBytesOf(uint8_t identity) {
  const int bytes = (identity & kPsxIdWordsMask) * 2;
  return bytes < kPsxMostDataBytes ? bytes : kPsxMostDataBytes;
}

// Whether a byte is the identity of a pad Zarvel reads.
constexpr bool IsPsxIdentity(uint8_t identity) {
  return identity == kPsxIdDigital || identity == kPsxIdAnalogRed || identity == kPsxIdAnalogGreen;
}

// Whether the identity is of a pad that sends its sticks.
constexpr bool IsPsxAnalog(uint8_t identity) {
  return identity == kPsxIdAnalogRed || identity == kPsxIdAnalogGreen;
}

}  // namespace zarvel
