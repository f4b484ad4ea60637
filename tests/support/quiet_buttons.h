#pragma once

#include <string>
#include <string_view>

namespace zarvel::testing {

// The items of a pad section that maps every button of either kind to the key "none", which
// sends nothing, with no shift states: for documents whose pads are there only to be found and
// read. An item is found anywhere after its section's header, so this block at the end of a
// document serves every pad section above it.
inline constexpr std::string_view kQuietButtons =
    "NumShifts = 0\n"
    "RepeatRate = 10\n"
    "b = none\ny = none\nselect = none\nstart = none\nup = none\ndown = none\nleft = none\n"
    "right = none\na = none\nx = none\nl = none\nr = none\n";

// The same for an SNES pad, without a repeat rate of the pad's own. Lines written before these
// win, since the first matching line after a header is the one taken.
inline constexpr std::string_view kUnmappedSnesButtons =
    "NumShifts = 0\n"
    "b = none\ny = none\nselect = none\nstart = none\nup = none\ndown = none\nleft = none\n"
    "right = none\na = none\nx = none\nl = none\nr = none\n";

// A document whose pads map every button to a key that sends nothing.
inline std::string WithQuietButtons(std::string_view document) {
  return std::string(document) + std::string(kQuietButtons);
}

}  // namespace zarvel::testing
