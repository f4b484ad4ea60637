#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace zarvel {

// How a key's bytes are framed in scan code set 1.
enum class ScanCodeForm : uint8_t {
  kPlain,     // One byte: the make code, or the make code with kBreakBit.
  kExtended,  // kExtendedPrefix, then the code.
  // kExtendedPrefix framing around a fake left shift, as the print screen key sends it.
  kExtendedWithFakeShift,
  // kPausePrefix and two bytes, then at once the same with kBreakBit: the whole key in one go
  // when it goes down, nothing when it goes up.
  kPause,
};

// One key of a standard 105-key PC keyboard: the bytes it sends in scan code set 1, its short
// name (also its name in the shipped "keys.cfg") and the Linux input key code it stands for.
struct ScanCodeKey {
  std::string_view name;  // Lowercase, at most 11 characters.
  ScanCodeForm form;
  uint8_t code;        // The make code without any prefix; bit 7 is clear.
  uint16_t linuxCode;  // KEY_* of <linux/input-event-codes.h>.
};

inline constexpr uint8_t kExtendedPrefix = 0xE0;
inline constexpr uint8_t kPausePrefix = 0xE1;
inline constexpr uint8_t kBreakBit = 0x80;       // Set in the code a key sends when it goes up.
inline constexpr uint8_t kFakeShiftCode = 0x2A;  // The left shift's code, after kExtendedPrefix.
inline constexpr uint8_t kPauseLeadCode = 0x1D;  // The byte between kPausePrefix and the code.

// The bytes of one key event: at most six, as the pause key sends.
struct ScanCodeBytes {
  std::array<uint8_t, 6> bytes{};
  uint8_t length = 0;

  std::span<const uint8_t> View() const { return {bytes.data(), length}; }
};

// Every key of the keyboard, in the order of the keyboard's rows.
std::span<const ScanCodeKey> ScanCodeKeys();

// The key whose code (bit 7 clear) follows `prefix` (0, kExtendedPrefix or kPausePrefix), or
// null when no key of the table sends it.
const ScanCodeKey* FindScanCodeKey(uint8_t prefix, uint8_t code);

// The key of that name, or null.
const ScanCodeKey* FindScanCodeKeyByName(std::string_view name);

// What the keyboard sends when the key goes down and when it goes up.
ScanCodeBytes KeyDownBytes(const ScanCodeKey& key);
ScanCodeBytes KeyUpBytes(const ScanCodeKey& key);

}  // namespace zarvel
