#include "app/name_completion.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/section_role.h"
#include "config/settings_files.h"
#include "config/settings_text.h"
#include "mapping/button_configuration.h"
#include "mapping/button_gestures.h"
#include "mapping/key_definitions.h"
#include "pads/pad_kind.h"
#include "platform/default_home_files.h"

namespace zarvel {
namespace {

constexpr std::string_view kBlanks = " \t";
// What ends the previous part of a button's value: the item's "=", a "," between the keys of
// one shift state and a ";" between shift states.
constexpr std::string_view kValueSeparators = "=,;";
constexpr char kItemSeparator = '=';
// A line that starts with it names no item: the configuration's comments.
constexpr char kCommentStart = ';';

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The pad kind whose section the header opens ("[snes]", "[snes2]", "[NES 1]"), or null: a
// section an execution reads as a pad's.
const PadKind* PadKindOf(std::string_view header) {
  const SectionRole role = RoleOfSection(header, SettingsFileKind::kSettings);
  return role.reader == SectionRole::Reader::kPad ? FindPadKind(role.kind) : nullptr;
}

bool IsConfigHeader(std::string_view header) {
  return RoleOfSection(header, SettingsFileKind::kSettings).reader == SectionRole::Reader::kConfig;
}

std::vector<std::string> ButtonNames(const PadKind& kind) {
  return {kind.buttonNames, kind.buttonNames + kind.buttonCount};
}

// The items a section's reader reads: its settings, and a pad's buttons.
std::vector<std::string> ItemNames(std::string_view header) {
  if (IsConfigHeader(header)) {
    std::vector<std::string> names(kConfigItems.begin(), kConfigItems.end());
    names.emplace_back(kRepeatRateItem);
    names.emplace_back(kHoldTimeItem);
    names.emplace_back(kDoubleTimeItem);
    names.emplace_back(kChordTimeItem);
    return names;
  }
  const PadKind* kind = PadKindOf(header);
  if (kind == nullptr) {
    return {};
  }
  std::vector<std::string> names = ButtonNames(*kind);
  names.emplace_back(kNumShiftsItem);
  names.emplace_back(kShiftsItem);
  names.emplace_back(kRepeatRateItem);
  names.emplace_back(kHoldTimeItem);
  names.emplace_back(kDoubleTimeItem);
  names.emplace_back(kChordTimeItem);
  // A PlayStation pad's section may give its own stick threshold.
  if (std::string_view(kind->name) == kPsxSectionName) {
    names.emplace_back(kAnalogThresholdItem);
  }
  return names;
}

// The gesture items that continue a name typed with a "." or a "+": a button's hold, double
// press and tap after "a.", a chord's next button after "l+". Empty for any other word.
std::vector<std::string> GestureNames(std::string_view header, std::string_view word) {
  const PadKind* kind = PadKindOf(header);
  const size_t end = word.find_last_of(std::string{kSuffixMark, kChordJoint});
  if (kind == nullptr || end == std::string_view::npos) {
    return {};
  }
  std::vector<std::string> names;
  const std::string before(word.substr(0, end + 1));
  if (word[end] == kChordJoint) {
    for (const std::string& button : ButtonNames(*kind)) {
      names.push_back(before + button);
    }
    return names;
  }
  for (const std::string_view suffix : {kHoldSuffix, kDoubleSuffix, kTapSuffix}) {
    names.push_back(before + std::string(suffix));
  }
  return names;
}

// The length of the word that ends the text: everything after its last blank or separator.
size_t TypedWordLength(std::string_view text) {
  const size_t end = text.find_last_of(std::string(kBlanks) + std::string(kValueSeparators));
  return end == std::string_view::npos ? text.size() : text.size() - end - 1;
}

}  // namespace

std::optional<CompletionOffer> OfferCompletion(
    std::string_view header, std::string_view lineBeforeCaret,
    const std::function<std::vector<std::string>()>& keyNames) {
  const std::string_view line = Trimmed(lineBeforeCaret);
  if (!line.empty() && line.front() == kCommentStart) {
    return std::nullopt;
  }
  const size_t typed = TypedWordLength(lineBeforeCaret);
  const std::string_view before = lineBeforeCaret.substr(0, lineBeforeCaret.size() - typed);

  const size_t assignment = before.find(kItemSeparator);
  if (assignment == std::string_view::npos) {
    // The item's name at the start of the line, once a letter or digit of it is there (a
    // section header starts otherwise).
    if (typed == 0 || !Trimmed(before).empty() ||
        !std::isalnum(static_cast<unsigned char>(lineBeforeCaret[before.size()]))) {
      return std::nullopt;
    }
    std::vector<std::string> names = GestureNames(header, lineBeforeCaret.substr(before.size()));
    if (names.empty()) {
      names = ItemNames(header);
    }
    if (names.empty()) {
      return std::nullopt;
    }
    return CompletionOffer{typed, std::move(names)};
  }

  const PadKind* kind = PadKindOf(header);
  if (kind == nullptr) {
    return std::nullopt;
  }
  // Between the last separator and the word typed there may be blanks, and one word with blanks
  // after it that says how the keys are sent ("pulse", "repeat(18)") or that a shift button
  // latches ("toggle").
  const size_t separator = before.find_last_of(kValueSeparators);
  const std::string_view between = Trimmed(before.substr(separator + 1));
  if (between.find_first_of(kBlanks) != std::string_view::npos) {
    return std::nullopt;
  }

  const std::string_view item = Trimmed(before.substr(0, assignment));
  if (SameName(item, kShiftsItem)) {
    return CompletionOffer{typed, ButtonNames(*kind)};
  }
  if (SameName(item, kNumShiftsItem) || SameName(item, kRepeatRateItem) ||
      SameName(item, kHoldTimeItem) || SameName(item, kDoubleTimeItem) ||
      SameName(item, kChordTimeItem)) {
    return std::nullopt;
  }
  std::vector<std::string> names = keyNames();
  if (names.empty()) {
    return std::nullopt;
  }
  return CompletionOffer{typed, std::move(names)};
}

std::vector<std::string> KeyNamesOf(const std::string& homeDir) {
  SettingsFile file;
  if (!homeDir.empty()) {
    file = OpenRegularFile(homeDir + kKeyDefinitionFileName);
  }
  // The shipped text is read through a memory stream over a copy of it, since the stream wants
  // memory it could write to.
  std::string shipped;
  if (!file) {
    for (const DefaultHomeFile& home : DefaultHomeFiles()) {
      if (home.name == kKeyDefinitionFileName) {
        shipped = home.contents;
      }
    }
    if (!shipped.empty()) {
      file.reset(fmemopen(shipped.data(), shipped.size(), "r"));
    }
  }
  if (!file) {
    return {};
  }
  KeyDefinitions definitions;
  try {
    ReadKeyDefinitions(file.get(), AllocationGate{}, definitions);
  } catch (const BadThing&) {
    // A fault of the file ends its reading, as it would end an execution; the records read
    // before it are still good names.
  }
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(definitions.count));
  for (int32_t i = 0; i < definitions.count; ++i) {
    names.push_back(definitions.table[i].name);
  }
  return names;
}

}  // namespace zarvel
