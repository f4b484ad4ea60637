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
// The stop names the circuit file before the sentence, and after it the sections it looked
// under, so that a user can tell which file and which pad lack the line.
constexpr char kMissingPinDefinition[] =
    "Bad Thing: %s: Could not find pin definition \"%s\" for %s controller. Looked for under "
    "%s.\n";

// "[snes], [snes1] and [snes 1]".
std::string JoinHeaders(const std::vector<std::string>& headers) {
  std::string text;
  for (size_t i = 0; i < headers.size(); ++i) {
    if (i > 0) {
      text += i + 1 == headers.size() ? " and " : ", ";
    }
    text += headers[i];
  }
  return text;
}

}  // namespace

const PinDef& ParsePinDef(std::string_view text, std::string_view kindName,
                          CombinedPinDefs& combined, const AllocationGate& gate,
                          const SettingsPlace& place) {
  const std::optional<std::vector<int32_t>> pins = ParsePinNumbers(text);
  if (!pins) {
    ReportBadThingAt(place, kInvalidPinDefinition, std::string(text).c_str(),
                     std::string(kindName).c_str());
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
  const SettingsText& circuits = *pad.files->circuitFile;
  const std::optional<PinText> pin = FindPinText(circuits, kindName, pad.padNumber, itemName);
  if (!pin) {
    const std::vector<std::string> headers = PinSectionHeaders(kindName, pad.padNumber);
    StopProcessAt(
        {.file = circuits.Name(), .section = headers.back(), .item = std::string(itemName)},
        kMissingPinDefinition, circuits.Name().c_str(), std::string(itemName).c_str(),
        std::string(kindName).c_str(), JoinHeaders(headers).c_str());
  }
  pinField = &ParsePinDef(pin->text, kindName, combined, gate, pin->place);
}

}  // namespace zarvel
