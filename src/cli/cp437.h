#pragma once

#include <string>
#include <string_view>

namespace zarvel {

// Turns text in code page 437, where the trace draws its tree of steps, into UTF-8 for a
// terminal. Bytes below 128 are the same in both.
std::string Cp437ToUtf8(std::string_view text);

}  // namespace zarvel
