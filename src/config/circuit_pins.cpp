#include "config/circuit_pins.h"

#include <algorithm>

#include "config/pad_sections.h"
#include "config/section_cursor.h"
#include "config/settings_lookup.h"
#include "config/value_text.h"
#include "hardware/pin_table.h"

namespace zarvel {
namespace {

constexpr char kListSeparator = ',';

bool IsKnownPin(int32_t pin) {
  return pin >= 0 && pin < kPinTableSize;
}

bool HoldsOnlyBlanks(std::string_view piece) {
  return piece.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::span<const std::string_view> PadLineItemsOf(std::string_view kindName) {
  if (kindName == kPsxSectionName) {
    return kPsxLineItems;
  }
  if (kindName == kAtariSectionName) {
    return kAtariLineItems;
  }
  if (kindName == kGenesisSectionName) {
    return kGenesisLineItems;
  }
  return kPadLineItems;
}

bool IsPinList(std::string_view text) {
  return text.find(kListSeparator) != std::string_view::npos;
}

std::optional<std::vector<int32_t>> ParsePinNumbers(std::string_view text) {
  std::vector<int32_t> pins;
  if (!IsPinList(text)) {
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

std::vector<std::string> PinSectionHeaders(std::string_view kindName, int32_t padNumber) {
  std::vector<std::string> headers;
  SectionCursor cursor;
  std::string header;
  // Started at the pad's number, the run gives [kind], [kindN] and [kind N]; the next header
  // is numbered N + 1, which ends the pad's sections.
  for (int32_t number = NextSectionName(kindName, padNumber, cursor, header); number == padNumber;
       number = NextSectionName(kindName, kSectionRunContinue, cursor, header)) {
    headers.push_back(header);
  }
  return headers;
}

std::optional<PinText> FindPinText(const SettingsText& circuitFile, std::string_view kindName,
                                   int32_t padNumber, std::string_view itemName) {
  PinText pin;
  for (const std::string& header : PinSectionHeaders(kindName, padNumber)) {
    if (FindItem(circuitFile, header, itemName, pin.text, false, &pin.place)) {
      return pin;
    }
  }
  return std::nullopt;
}

}  // namespace zarvel
