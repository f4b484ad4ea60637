#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvel {

// The name a key definition file gives a key pressed on the PC's keyboard, or why it has none.
struct PressedKeyName {
  std::string name;
  std::string error;  // A full sentence; empty when there is a name.
};

// The name keys.cfg (its text given) uses for the PC key whose Linux input code (KEY_* of
// <linux/input-event-codes.h>) is `linuxCode`: that of the first record, read as an execution
// reads the file, whose key-down bytes are the ones the key sends when it goes down, and whose
// name an execution finds that record by (an earlier record of the same name would hide it).
PressedKeyName NameOfPressedKey(std::string_view keysCfgText, uint16_t linuxCode);

// The same with the keys.cfg of the home directory `homeDir` (ending with "/", as
// FindHomeDirectory gives it).
PressedKeyName NameOfPressedKeyInHome(const std::string& homeDir, uint16_t linuxCode);

}  // namespace zarvel
