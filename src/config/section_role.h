#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvel {

// Which of a configuration's files a section is in: the document and the global settings file
// hold [config] and the pads' mappings, the circuit file the pads' pins.
enum class SettingsFileKind : uint8_t { kSettings, kCircuit };

// Who reads the items of a section, worked out from its header line the way the lookups compare
// headers. The one place a header is told apart: Check, completion and the Pads panel ask here.
struct SectionRole {
  enum class Reader : uint8_t {
    kNone,       // Before the first section: nothing reads it.
    kConfig,     // [config] of a settings file.
    kPad,        // A pad section an execution looks for ([snes], [snes1], [snes 1] to [snes 5]).
    kUnusedPad,  // A section of a pad kind with a number no execution looks for ([snes 6]).
    kOther,      // Any other section: nothing looks for it.
  };
  Reader reader = Reader::kNone;
  std::string_view kind;  // The pad kind's section name, for kPad and kUnusedPad.
  std::string header;     // The header, up to and including its "]".
};

// The role of the section whose header begins `line` (a line that begins with "[").
SectionRole RoleOfSection(std::string_view line, SettingsFileKind file);

}  // namespace zarvel
