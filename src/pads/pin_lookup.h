#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hardware/pin_def.h"

namespace zarvel {

struct AllocationGate;
struct ControlPad;

// The pad lines the circuit file gives for every pad, as its item names.
inline constexpr std::string_view kClockItem = "clock";
inline constexpr std::string_view kLatchItem = "reset";
inline constexpr std::string_view kPowerItem = "power";
inline constexpr std::string_view kDataItem = "data";

// The definitions that pin lists combine, each in a block of its own from CheckedAlloc. They
// are held until the process ends, since pads of any later execution may still refer to them.
using CombinedPinDefs = std::vector<std::unique_ptr<uint8_t[]>>;

// The connector pins a pin item names, in the order written: one number, or a list of numbers
// separated by commas (pieces that are empty or only blanks hold no number and are skipped).
// Numbers read as the standard decimal conversion reads them, so text without digits is pin 0.
// Nothing comes back when a pin lies outside 0 to 17 or a list holds no number at all.
std::optional<std::vector<int32_t>> ParsePinNumbers(std::string_view text);

// The definition a pin item stands for. One pin is its PinTable entry; a list is a new
// definition whose mask joins all the listed pins' masks, while its register and inversion are
// those of the last pin. Text that names no valid pin ends the execution with
// "\"%s\" is not a valid pin definition for %s controller.\n" (the text, the kind's name).
const PinDef& ParsePinDef(std::string_view text, std::string_view kindName,
                          CombinedPinDefs& combined, const AllocationGate& gate);

// Looks the item up in the circuit file under [kind], [kindN] and [kind N], in that order, for
// pad number N, and gives the value of the first that has it. As every lookup does, each search
// goes on past later section headers.
std::optional<std::string> FindPinText(std::FILE* circuitFile, std::string_view kindName,
                                       int32_t padNumber, std::string_view itemName);

// Sets `pinField` to the definition of the pad's line `itemName`, from the circuit file of the
// pad's files. A line that no circuit section of the pad gives ends the whole process with
// "Bad Thing: Could not find pin definition \"%s\" for %s controller.\n".
void LookupPinDef(std::string_view kindName, std::string_view itemName, const ControlPad& pad,
                  const PinDef*& pinField, CombinedPinDefs& combined, const AllocationGate& gate);

}  // namespace zarvel
