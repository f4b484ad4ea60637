#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/bad_thing.h"

#include "keys/key_sequence.h"

namespace zarvel {

class KeyFileReader;
struct SettingsFiles;

// One record of "keys.cfg": a name for the bytes a key sends when it goes down and up.
struct KeyDefinition {
  KeySequence down;
  KeySequence up;
  std::string name;  // Lowercase, at most kMaxKeyNameLength characters.
};

// The definitions of the current execution. They live from the loading of "keys.cfg" until
// the last pad has been configured; the pads' key tables keep copies of the bytes.
struct KeyDefinitions {
  std::unique_ptr<KeyDefinition[]> table;  // Room for kMaxKeyDefinitions records.
  int32_t count = 0;                       // Records read; reset for every execution.
};

inline constexpr const char* kKeyDefinitionFileName = "keys.cfg";

// The fixed room of the table. A file that needs more is refused with a message that says
// which limit it passed and where.
inline constexpr int32_t kMaxKeyDefinitions = 115;
inline constexpr int32_t kMaxKeyListValues = 28;
inline constexpr int32_t kMaxKeyNameLength = 11;

// Reads "keys.cfg" from the home directory into the table. Each record is a key-down list, a
// key-up list and a name, separated by white space; a list is hexadecimal values joined by
// commas. A record that the file ends inside is not counted.
void LoadKeyDefinitions(const SettingsFiles& files, const AllocationGate& allocation,
                        KeyDefinitions& definitions);

// Reads the records of an open key definition file into the table, which is taken first when
// the definitions have none.
// `name` is the file's, for the places of its stops; the line of every value beyond a byte (of
// which only the low byte is kept) goes to `wideValueLines` when it is given.
void ReadKeyDefinitions(std::FILE* file, const AllocationGate& allocation,
                        KeyDefinitions& definitions, const std::string& name = {},
                        std::vector<int32_t>* wideValueLines = nullptr);

// Reads one list of hexadecimal values into a sequence with room for kMaxKeyListValues
// bytes, keeping the low byte of each. A list whose last value is zero is empty. Returns
// false when the file ends before the list is complete.
bool ReadKeySequence(KeyFileReader& reader, const AllocationGate& allocation,
                     KeySequence& sequence);

// The index of the first definition named `name` (lowercase); a later one of the same name is
// never found. An unknown name ends the execution, at `place`: the button item that names it.
int32_t FindKeyDefinition(const KeyDefinitions& definitions, std::string_view name,
                          const SettingsPlace& place = {});

// Releases the table and the bytes of every definition. Nothing can be found afterwards.
void FreeKeyDefinitions(KeyDefinitions& definitions);

}  // namespace zarvel
