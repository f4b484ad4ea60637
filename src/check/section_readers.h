#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

struct PadKind;

// Which of the configuration's files a section is in: the document and the global settings file
// hold [config] and the pads' mappings, the circuit file the pads' pins.
enum class SettingsFileKind : uint8_t { kSettings, kCircuit };

// Which rule reads the items of a section, worked out from the piece that begins it.
struct SectionReaders {
  enum class Role : uint8_t {
    kNone,       // Before the first section: nothing reads it.
    kConfig,     // [config] of a settings file.
    kPad,        // A pad section an execution finds ([snes], [snes1], [snes 1] to [snes 5]).
    kUnusedPad,  // A section of a pad kind with a number no execution looks for ([snes 6]).
    kOther,      // Any other section: nothing looks for it.
  };
  Role role = Role::kNone;
  const PadKind* kind = nullptr;  // For kPad and kUnusedPad.
};

// The readers of the section whose header begins `piece` (a piece that begins with "["). The
// pad sections are the very headers an execution generates for each kind, compared as the
// lookups compare.
SectionReaders ReadersOfSection(std::string_view piece, SettingsFileKind file);

// Whether the section's readers read an item of that name (letter case aside): the [config]
// items of ReadConfig and the repeat rate; a pad's buttons, its shift states, shift buttons and
// repeat rate; or a pad's circuit lines.
bool ReadsItem(const SectionReaders& readers, SettingsFileKind file, std::string_view name);

// Whether the name is one of the pad's buttons, whose values name keys.
bool IsButtonOf(const PadKind& kind, std::string_view name);

// A token of a button definition ("pulse esc") and the shift state it is for.
struct ButtonToken {
  int32_t row = 0;
  std::string text;
};

// Splits a button definition (a normalised value) into its tokens as the button configuration
// splits it: a comma or a semicolon ends a token, a semicolon moves on to the next shift state,
// and the text after a separator is cleaned as a value is.
std::vector<ButtonToken> SplitButtonValue(std::string text);

// The header a piece begins with, up to and including its "]" (the whole piece without one).
std::string_view HeaderOf(std::string_view piece);

}  // namespace zarvel
