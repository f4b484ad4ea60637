#include "pads/pin_lookup.h"

#include <new>
#include <optional>
#include <string>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "config/circuit_pins.h"
#include "config/settings_files.h"
#include "hardware/pin_table.h"
#include "pads/control_pad.h"

namespace zarvel {
namespace {

constexpr char kInvalidPinDefinition[] =
    "\"%s\" is not a valid pin definition for %s controller.\n";
constexpr char kMissingPinDefinition[] =
    "Bad Thing: Could not find pin definition \"%s\" for %s controller.\n";

}  // namespace

const PinDef& ParsePinDef(std::string_view text, std::string_view kindName,
                          CombinedPinDefs& combined, const AllocationGate& gate) {
  const std::optional<std::vector<int32_t>> pins = ParsePinNumbers(text);
  if (!pins) {
    ReportBadThing(kInvalidPinDefinition, std::string(text).c_str(), std::string(kindName).c_str());
  }
  if (!IsPinList(text)) {
    return PinTable[static_cast<size_t>(pins->front())];
  }

  std::unique_ptr<uint8_t[]> block = CheckedAlloc(gate, sizeof(PinDef));
  PinDef* pin = new (block.get()) PinDef{kDataRegister, 0, 0};
  for (const int32_t number : *pins) {
    const PinDef& entry = PinTable[static_cast<size_t>(number)];
    pin->reg = entry.reg;
    pin->mask |= entry.mask;
    pin->inverted = entry.inverted;
  }
  combined.push_back(std::move(block));
  return *pin;
}

void LookupPinDef(std::string_view kindName, std::string_view itemName, const ControlPad& pad,
                  const PinDef*& pinField, CombinedPinDefs& combined, const AllocationGate& gate) {
  const std::optional<std::string> text =
      FindPinText(pad.files->circuitFile.get(), kindName, pad.padNumber, itemName);
  if (!text) {
    StopProcess(kMissingPinDefinition, std::string(itemName).c_str(),
                std::string(kindName).c_str());
  }
  pinField = &ParsePinDef(*text, kindName, combined, gate);
}

}  // namespace zarvel
