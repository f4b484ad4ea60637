#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

// One piece of a settings file as an execution reads it (see ReadSettingsLine), with the line
// of the file it is on, counting from 1. A line longer than a piece is several pieces on the
// same line.
struct OutlinePiece {
  int32_t line = 0;
  size_t offset = 0;  // Where the piece begins in the file, in bytes from its start.
  std::string text;   // Without its line end; byte for byte the file's text at `offset`.
  // An item line: a key, then an "=" somewhere after it, so that FindItem can take it.
  bool item = false;
  std::string key;    // As written: the text LineKey gives.
  std::string value;  // Normalised, as FindItem hands it on.
};

// A settings file cut into the pieces an execution reads, for readers that look at a
// configuration ahead of its execution and say where in the file something is.
class SettingsOutline {
 public:
  explicit SettingsOutline(std::vector<OutlinePiece> pieces) : pieces_(std::move(pieces)) {}

  const std::vector<OutlinePiece>& Pieces() const { return pieces_; }

  // The first piece that begins with the header, letter case aside, as FindSection finds it.
  const OutlinePiece* Section(std::string_view header) const;

  // The piece FindItem takes for the item: the first item line after the header's piece, to
  // the end of the file, whose key is the item's name, letter case aside.
  const OutlinePiece* Item(std::string_view header, std::string_view item) const;

 private:
  std::vector<OutlinePiece> pieces_;
};

// The outline of a settings file's text.
SettingsOutline OutlineSettings(std::string_view text);

// The outline of the settings file at `path`; nothing when it cannot be read.
std::optional<SettingsOutline> OutlineSettingsFile(const std::string& path);

// Whether `text` begins with `prefix`, letter case aside, as the lookups compare.
bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Whether two names are the same, letter case aside, as the lookups compare an item's key.
bool SameName(std::string_view a, std::string_view b);

}  // namespace zarvel
