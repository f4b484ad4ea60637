#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"
#include "config/settings_text.h"

namespace zarvel {

// The pad lines the circuit file gives for every pad, as its item names.
inline constexpr std::string_view kClockItem = "clock";
inline constexpr std::string_view kLatchItem = "reset";
inline constexpr std::string_view kPowerItem = "power";
inline constexpr std::string_view kDataItem = "data";
// Every one of them, in the order a pad's lines are looked up.
inline constexpr std::array<std::string_view, 4> kPadLineItems = {kClockItem, kLatchItem,
                                                                  kPowerItem, kDataItem};
// A PlayStation pad has a select line where the others have their latch, and a command line
// besides.
inline constexpr std::string_view kSelectItem = "select";
inline constexpr std::string_view kCommandItem = "command";
inline constexpr std::array<std::string_view, 5> kPsxLineItems = {
    kClockItem, kSelectItem, kCommandItem, kPowerItem, kDataItem};

// An Atari-style stick has a line for each of its switches, named after its button, and its
// common line as its data line.
inline constexpr std::array<std::string_view, 7> kAtariLineItems = {
    "up", "down", "left", "right", "fire", "fire2", kDataItem};

// A Sega Genesis pad has six lines of its own, named after what they show with select high, its
// select line and its power line.
inline constexpr std::array<std::string_view, 8> kGenesisLineItems = {
    "up", "down", "left", "right", "b", "c", kSelectItem, kPowerItem};

// The circuit items of a pad kind by its section name, in the order they are looked up.
std::span<const std::string_view> PadLineItemsOf(std::string_view kindName);

// The connector pins a pin item names, in the order written: one number, or a list of numbers
// separated by commas (pieces that are empty or only blanks hold no number and are skipped).
// Numbers read as the standard decimal conversion reads them, so text without digits is pin 0.
// Nothing comes back when a pin lies outside the pin table or a list holds no number at all.
std::optional<std::vector<int32_t>> ParsePinNumbers(std::string_view text);

// Whether the text of a pin item is a list rather than one pin.
bool IsPinList(std::string_view text);

// A pin item's value and the place it was taken from.
struct PinText {
  std::string text;
  SettingsPlace place;
};

// Looks the item up in the circuit file under [kind], [kindN] and [kind N], in that order, for
// pad number N, and gives the value of the first that has it. As every lookup does, each search
// goes on past later section headers.
std::optional<PinText> FindPinText(const SettingsText& circuitFile, std::string_view kindName,
                                   int32_t padNumber, std::string_view itemName);

// The headers FindPinText looks under for pad number N of the kind, in order: [kind], [kindN],
// [kind N].
std::vector<std::string> PinSectionHeaders(std::string_view kindName, int32_t padNumber);

}  // namespace zarvel
