#pragma once

#include <cstdio>
#include <string>

namespace zarvel {

// Longest piece of a settings-file line examined at once; a longer line is read in pieces of
// this many characters, each examined as a line of its own.
inline constexpr size_t kSettingsPieceLength = 100;

// Reads the next piece of a settings file into `line`: up to and including the next line end,
// or kSettingsPieceLength characters, whichever comes first. A CR LF pair reads as a single
// "\n", as a file opened in text mode reads. A last line without a line end is read like any
// other. Returns false only when nothing was left to read.
bool ReadSettingsLine(std::FILE* file, std::string& line);

// The key of an item line: the characters from the very start of the line up to the first
// blank, "=", newline or the end of the text.
std::string_view LineKey(std::string_view line);

}  // namespace zarvel
