#pragma once

#include <string>
#include <string_view>

#include "base/bad_thing.h"
#include "config/settings_files.h"

namespace zarvel {

// Looks for `item` from the line after `header` to the end of the file: a later section
// header does not end the search, so an item that its section lacks is found in any later
// section. Returns whether a line matched; `value` holds its normalised value (possibly
// empty), or the empty text, and `place`, when given, the file, line, section and item it came
// from (the section's header line when the item was not found there). Without a match and with
// `must` set, the execution ends with "Could not find item" naming the item and the header.
bool FindItem(const SettingsText& file, std::string_view header, std::string_view item,
              std::string& value, bool must, SettingsPlace* place = nullptr);

// FindItem in the local settings file, and in the global one when the local value is empty.
// The result, and the place, are those of the FindItem that supplied the value. A required item
// that neither file has ends the execution at the section's header in the document, else in the
// global file.
bool LookupItem(const SettingsFiles& files, std::string_view header, std::string_view item,
                std::string& value, bool must, SettingsPlace* place = nullptr);

// Whether a line of the file begins with the header text, letter case aside.
bool FindSection(const SettingsText& file, std::string_view header);

// Whether the local or the global settings file has the section.
bool SectionExists(const SettingsFiles& files, std::string_view header);

// Where a section of the local or the global settings file begins: its header line in the
// document when the document has it, else in the global file; the document as a whole when
// neither has it. [config] is placed in the global file, which gives the settings every
// document leaves out: its header line, or the file as a whole when it has none.
SettingsPlace SectionPlace(const SettingsFiles& files, std::string_view header);

}  // namespace zarvel
