#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "config/settings_files.h"

namespace zarvel {

// Looks for `item` from the line after `header` to the end of the file: a later section
// header does not end the search, so an item that its section lacks is found in any later
// section. Returns whether a line matched; `value` holds its normalised value (possibly
// empty), or the empty text. Without a match and with `must` set, the execution ends with
// "Could not find item" naming the item and the header.
bool FindItem(std::FILE* file, std::string_view header, std::string_view item, std::string& value,
              bool must);

// FindItem in the local settings file, and in the global one when the local value is empty.
// The result is that of the FindItem that supplied the value.
bool LookupItem(const SettingsFiles& files, std::string_view header, std::string_view item,
                std::string& value, bool must);

// Whether a line of the file begins with the header text, letter case aside.
bool FindSection(std::FILE* file, std::string_view header);

// Whether the local or the global settings file has the section.
bool SectionExists(const SettingsFiles& files, std::string_view header);

}  // namespace zarvel
