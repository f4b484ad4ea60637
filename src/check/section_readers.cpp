#include "check/section_readers.h"

#include <string>

#include "check/settings_outline.h"
#include "config/circuit_pins.h"
#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/section_cursor.h"
#include "config/value_text.h"
#include "mapping/button_configuration.h"
#include "pads/pad_kind.h"

namespace zarvel {
namespace {

// Whether the piece begins with one of the headers an execution tries for pads of the kind.
bool BeginsWithPadHeader(std::string_view piece, std::string_view kindName) {
  SectionCursor cursor;
  std::string header;
  for (int32_t number = NextSectionName(kindName, kSectionRunFromStart, cursor, header);
       number <= kHighestPadNumber;
       number = NextSectionName(kindName, kSectionRunContinue, cursor, header)) {
    if (BeginsWithIgnoringCase(piece, header)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string_view HeaderOf(std::string_view piece) {
  const size_t close = piece.find(']');
  if (close != std::string_view::npos) {
    return piece.substr(0, close + 1);
  }
  const size_t end = piece.find_last_not_of(" \t\r");
  return piece.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

SectionReaders ReadersOfSection(std::string_view piece, SettingsFileKind file) {
  if (file == SettingsFileKind::kSettings && BeginsWithIgnoringCase(piece, kConfigHeader)) {
    return {SectionReaders::Role::kConfig, nullptr};
  }
  for (const std::string_view kindName : kPadKindsInOrder) {
    if (BeginsWithPadHeader(piece, kindName)) {
      return {SectionReaders::Role::kPad, FindPadKind(kindName)};
    }
  }
  // "[snes 6]" and "[snes0]" are taken for pads of their kind that no execution looks for.
  // Of the kinds' names none begins another's, so the first that matches is the kind.
  for (const std::string_view kindName : kPadKindsInOrder) {
    if (BeginsWithIgnoringCase(piece.substr(1), kindName)) {
      return {SectionReaders::Role::kUnusedPad, FindPadKind(kindName)};
    }
  }
  return {SectionReaders::Role::kOther, nullptr};
}

std::vector<ButtonToken> SplitButtonValue(std::string text) {
  std::vector<ButtonToken> tokens;
  int32_t row = 0;
  while (!text.empty()) {
    const size_t end = text.find_first_of(",;");
    if (end == std::string::npos) {
      tokens.push_back({row, text});
      break;
    }
    tokens.push_back({row, text.substr(0, end)});
    if (text[end] == ';') {
      ++row;
    }
    text.erase(0, end + 1);
    NormalizeValue(text);
  }
  return tokens;
}

bool IsButtonOf(const PadKind& kind, std::string_view name) {
  for (int16_t i = 0; i < kind.buttonCount; ++i) {
    if (SameName(name, kind.buttonNames[i])) {
      return true;
    }
  }
  return false;
}

bool ReadsItem(const SectionReaders& readers, SettingsFileKind file, std::string_view name) {
  switch (readers.role) {
    case SectionReaders::Role::kConfig:
      for (const char* item : kConfigItems) {
        if (SameName(name, item)) {
          return true;
        }
      }
      // A pad without a repeat rate of its own takes the one of [config].
      return SameName(name, kRepeatRateItem);
    case SectionReaders::Role::kPad:
      if (file == SettingsFileKind::kCircuit) {
        for (const std::string_view item : kPadLineItems) {
          if (SameName(name, item)) {
            return true;
          }
        }
        return false;
      }
      return SameName(name, kNumShiftsItem) || SameName(name, kShiftsItem) ||
             SameName(name, kRepeatRateItem) || IsButtonOf(*readers.kind, name);
    case SectionReaders::Role::kNone:
    case SectionReaders::Role::kUnusedPad:
    case SectionReaders::Role::kOther:
      break;
  }
  return false;
}

}  // namespace zarvel
