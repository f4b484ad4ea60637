#include "pads/pin_lookup.h"

#include <algorithm>
#include <new>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "config/section_cursor.h"
#include "config/settings_files.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "hardware/pin_table.h"
#include "pads/control_pad.h"

namespace zarvel {
namespace {

constexpr char kInvalidPinDefinition[] =
    "\"%s\" is not a valid pin definition for %s controller.\n";
constexpr char kMissingPinDefinition[] =
    "Bad Thing: Could not find pin definition \"%s\" for %s controller.\n";

constexpr char kListSeparator = ',';

bool IsKnownPin(int32_t pin) {
  return pin >= 0 && pin < kPinTableSize;
}

bool HoldsOnlyBlanks(std::string_view piece) {
  return piece.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::optional<std::vector<int32_t>> ParsePinNumbers(std::string_view text) {
  std::vector<int32_t> pins;
  if (text.find(kListSeparator) == std::string_view::npos) {
    pins.push_back(ReadDecimal(text));
  } else {
    while (!text.empty()) {
      const size_t end = std::min(text.find(kListSeparator), text.size());
      const std::string_view piece = text.substr(0, end);
      text.remove_prefix(std::min(end + 1, text.size()));
      if (!HoldsOnlyBlanks(piece)) {
        pins.push_back(ReadDecimal(piece));
      }
    }
  }
  // A pin beyond the table would reference a definition that does not exist, and a list
  // without a single number would leave the definition without a register.
  if (pins.empty()) {
    return std::nullopt;
  }
  for (const int32_t pin : pins) {
    if (!IsKnownPin(pin)) {
      return std::nullopt;
    }
  }
  return pins;
}

const PinDef& ParsePinDef(std::string_view text, std::string_view kindName,
                          CombinedPinDefs& combined, const AllocationGate& gate) {
  const std::optional<std::vector<int32_t>> pins = ParsePinNumbers(text);
  if (!pins) {
    ReportBadThing(kInvalidPinDefinition, std::string(text).c_str(), std::string(kindName).c_str());
  }
  if (text.find(kListSeparator) == std::string_view::npos) {
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

std::optional<std::string> FindPinText(std::FILE* circuitFile, std::string_view kindName,
                                       int32_t padNumber, std::string_view itemName) {
  SectionCursor cursor;
  std::string header;
  std::string value;
  // Started at the pad's number, the run gives [kind], [kindN] and [kind N]; the next header
  // is numbered N + 1, which ends the pad's sections.
  for (int32_t number = NextSectionName(kindName, padNumber, cursor, header); number == padNumber;
       number = NextSectionName(kindName, kSectionRunContinue, cursor, header)) {
    if (FindItem(circuitFile, header, itemName, value, false)) {
      return value;
    }
  }
  return std::nullopt;
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
