#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"
#include "hardware/pin_def.h"

namespace zarvel {

struct AllocationGate;
struct ControlPad;

// The definitions that pin lists combine, each in a block of its own from CheckedAlloc. They
// are held until the process ends, since pads of any later execution may still refer to them.
using CombinedPinDefs = std::vector<std::unique_ptr<uint8_t[]>>;

// The definition a pin item stands for. One pin is its PinTable entry; a list is a new
// definition whose mask joins all the listed pins' masks, while its register and inversion are
// those of the last pin. Text that names no valid pin ends the execution with
// "\"%s\" is not a valid pin definition for %s controller.\n" (the text, the kind's name).
const PinDef& ParsePinDef(std::string_view text, std::string_view kindName,
                          CombinedPinDefs& combined, const AllocationGate& gate,
                          const SettingsPlace& place = {});

// Sets `pinField` to the definition of the pad's line `itemName`, from the circuit file of the
// pad's files. A line that no circuit section of the pad gives ends the whole process with
// "Bad Thing: FILE: Could not find pin definition \"%s\" for %s controller.", followed by the
// sections it was looked for under.
void LookupPinDef(std::string_view kindName, std::string_view itemName, const ControlPad& pad,
                  const PinDef*& pinField, CombinedPinDefs& combined, const AllocationGate& gate);

}  // namespace zarvel
