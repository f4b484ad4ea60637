#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/bad_thing.h"

namespace zarvel {

// Removes the leading space characters (a leading tab stays) and the whole trailing run of
// white space, and leaves the letters as they are.
void TrimValue(std::string& text);

// TrimValue, and every letter A to Z lowered, so that keywords, button names and key names
// compare in lowercase. Characters from 128 up are left alone.
void NormalizeValue(std::string& text);

// A flag is true exactly when its (normalised) value begins with "t".
bool ReadFlag(std::string_view value);

// A decimal number as the standard text-to-integer conversion reads it: leading white space
// and a sign allowed, digits up to the first other character, 0 without digits. A number
// beyond the 32-bit range reads as the nearest bound, so range checks still catch it.
int32_t ReadDecimal(std::string_view value);

// A hexadecimal number as the "%x" scan conversion reads it (leading white space, an optional
// 0x prefix, digits up to the first other character). Nothing when there are no digits.
std::optional<uint32_t> ReadHexadecimal(std::string_view value);

// Returns when lowest <= value <= highest; otherwise ends the execution with the range
// message naming `name`, in decimal or in hexadecimal form, at the value's place.
void CheckRange(int32_t value, const char* name, int32_t lowest, int32_t highest, bool hexadecimal,
                const SettingsPlace& place = {});

}  // namespace zarvel
