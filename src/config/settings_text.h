#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

// Longest piece of a settings-file line examined at once; a longer line is read in pieces of
// this many characters, each examined as a line of its own.
inline constexpr size_t kSettingsPieceLength = 100;

// The largest settings file read: pieces are kept as 32-bit offsets into its text.
inline constexpr size_t kLargestSettingsFile = UINT32_MAX;

// The key of an item line: the characters from the very start of the line up to the first
// blank, "=", newline or the end of the text.
std::string_view LineKey(std::string_view line);

// Whether a line is a section header line as every lookup finds one: it begins with "[" (a blank
// before the bracket prevents it).
inline bool IsSectionHeaderLine(std::string_view line) {
  return !line.empty() && line.front() == '[';
}

// Whether `text` begins with `prefix`, letter case aside, as every lookup compares.
bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Whether two names are the same, letter case aside, as the lookups compare an item's key.
bool SameName(std::string_view a, std::string_view b);

// One settings file, read once and cut into the pieces an execution examines: every line up to
// its line end, a line longer than kSettingsPieceLength characters in pieces of that many, each
// examined as a line of its own (a piece after the first begins with the line's 101st
// character, and a line of exactly that many characters is followed by an empty piece). A CR LF
// pair reads as one line end; a lone CR is a character of the line. A last line without a line
// end is a piece like any other. Every lookup of an execution, of Check, of completion and of
// Assign answers from here, and every piece knows its line, so every value knows its place.
class SettingsText {
 public:
  SettingsText() = default;
  // Cuts `text` into its pieces; `name` is the file's name as the user knows it.
  SettingsText(std::string name, std::string text);

  const std::string& Name() const { return name_; }
  std::string_view Text() const { return text_; }

  size_t PieceCount() const { return pieces_.size(); }
  // The piece's characters, without its line end.
  std::string_view Piece(size_t piece) const;
  // The line (from 1) the piece is on, and the byte of the file it begins at.
  int32_t Line(size_t piece) const { return static_cast<int32_t>(pieces_[piece].line); }
  size_t Offset(size_t piece) const { return pieces_[piece].start; }
  // Whether the piece is the first of its line (a piece after the first is no line of the file
  // as the user sees it, though an execution reads it as one).
  bool StartsLine(size_t piece) const { return (pieces_[piece].flags & kContinues) == 0; }
  // Whether the piece is a section header line: it begins with "[".
  bool IsHeader(size_t piece) const { return (pieces_[piece].flags & kHeader) != 0; }

  // The key of the piece (LineKey), and whether an "=" follows it on the piece, so that a lookup
  // takes the piece's value for the item the key names.
  std::string_view Key(size_t piece) const;
  bool IsItem(size_t piece) const { return (pieces_[piece].flags & kItem) != 0; }
  // The value of an item piece as a lookup hands it on: the text after the first "=" behind the
  // key, the blanks right after the "=" skipped, cleaned by NormalizeValue. Empty for a piece
  // that is no item.
  std::string Value(size_t piece) const;
  // The same text before NormalizeValue, for readers that say what was written.
  std::string_view RawValue(size_t piece) const;

  // The first piece that begins with `header`, letter case aside.
  std::optional<size_t> FindSection(std::string_view header) const;
  // The first item piece after the piece `from` (to the end of the file: later section headers
  // do not end the search) whose key is `item`, letter case aside.
  std::optional<size_t> FindItemAfter(size_t from, std::string_view item) const;
  // FindSection, then FindItemAfter the header's piece.
  std::optional<size_t> FindItem(std::string_view header, std::string_view item) const;

 private:
  enum Flags : uint8_t {
    kContinues = 1 << 0,  // Not the first piece of its line.
    kHeader = 1 << 1,
    kItem = 1 << 2,
    kCrLf = 1 << 3,     // Ends with a CR LF pair.
    kLineEnd = 1 << 4,  // Ends with a line end.
  };
  // Twelve bytes a piece, so a large file's pieces take less room than its text.
  struct PieceRecord {
    uint32_t start = 0;
    uint32_t line = 0;
    uint8_t length = 0;  // Characters, the line end not counted.
    uint8_t keyLength = 0;
    uint8_t flags = 0;
  };

  void Cut();

  std::string name_;
  std::string text_;
  std::vector<PieceRecord> pieces_;
  // The pieces that begin with "[", in file order: sections are found among them alone.
  std::vector<uint32_t> headers_;
};

// Reads the whole file at `path`, a regular file only (see OpenRegularFile), into a
// SettingsText named `name`. Nothing when it cannot be read, with errno telling why (EFBIG for
// a file beyond kLargestSettingsFile).
std::optional<SettingsText> ReadSettingsText(const std::string& path, const std::string& name);

}  // namespace zarvel
