#include "config/settings_text.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "config/settings_files.h"
#include "config/value_text.h"

namespace zarvel {

std::string_view LineKey(std::string_view line) {
  const size_t end = line.find_first_of(" =\n");
  return line.substr(0, end == std::string_view::npos ? line.size() : end);
}

bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && BeginsWithIgnoringCase(a, b);
}

SettingsText::SettingsText(std::string name, std::string text)
    : name_(std::move(name)), text_(std::move(text)) {
  Cut();
}

void SettingsText::Cut() {
  const size_t size = text_.size();
  // Room for every piece at once: one a line, and one more for every hundred characters a long
  // line may hold. Growing as the pieces come would hold up to twice their room at a time.
  pieces_.reserve(static_cast<size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1 +
                  size / kSettingsPieceLength);
  uint32_t line = 1;
  bool continues = false;
  size_t at = 0;
  while (at < size) {
    PieceRecord piece;
    piece.start = static_cast<uint32_t>(at);
    piece.line = line;
    size_t characters = 0;
    // A piece ends after its line end or after kSettingsPieceLength characters, whichever comes
    // first; a CR LF pair is one character, the line end.
    while (characters < kSettingsPieceLength && at < size) {
      if (text_[at] == '\n') {
        piece.flags |= kLineEnd;
        ++at;
        break;
      }
      if (text_[at] == '\r' && at + 1 < size && text_[at + 1] == '\n') {
        piece.flags |= kLineEnd | kCrLf;
        at += 2;
        break;
      }
      ++at;
      ++characters;
    }
    piece.length = static_cast<uint8_t>(characters);
    if (continues) {
      piece.flags |= kContinues;
    }
    const std::string_view text(text_.data() + piece.start, piece.length);
    const std::string_view key = LineKey(text);
    piece.keyLength = static_cast<uint8_t>(key.size());
    if (!key.empty() && text.find('=', key.size()) != std::string_view::npos) {
      piece.flags |= kItem;
    }
    if (IsSectionHeaderLine(text)) {
      piece.flags |= kHeader;
      headers_.push_back(static_cast<uint32_t>(pieces_.size()));
    }
    continues = (piece.flags & kLineEnd) == 0;
    if (!continues) {
      ++line;
    }
    pieces_.push_back(piece);
  }
  headers_.shrink_to_fit();
}

std::string_view SettingsText::Piece(size_t piece) const {
  return {text_.data() + pieces_[piece].start, pieces_[piece].length};
}

std::string_view SettingsText::Key(size_t piece) const {
  return Piece(piece).substr(0, pieces_[piece].keyLength);
}

std::string_view SettingsText::RawValue(size_t piece) const {
  if (!IsItem(piece)) {
    return {};
  }
  const std::string_view text = Piece(piece);
  std::string_view value = text.substr(text.find('=', pieces_[piece].keyLength) + 1);
  // Only blanks are skipped after the "="; a tab is part of the value.
  value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
  return value;
}

std::string SettingsText::Value(size_t piece) const {
  std::string value(RawValue(piece));
  NormalizeValue(value);
  return value;
}

std::optional<size_t> SettingsText::FindSection(std::string_view header) const {
  if (!header.empty() && header.front() == '[') {
    for (const uint32_t piece : headers_) {
      if (BeginsWithIgnoringCase(Piece(piece), header)) {
        return piece;
      }
    }
    return std::nullopt;
  }
  for (size_t piece = 0; piece < pieces_.size(); ++piece) {
    if (BeginsWithIgnoringCase(Piece(piece), header)) {
      return piece;
    }
  }
  return std::nullopt;
}

std::optional<size_t> SettingsText::FindItemAfter(size_t from, std::string_view item) const {
  for (size_t piece = from + 1; piece < pieces_.size(); ++piece) {
    const PieceRecord& record = pieces_[piece];
    if (record.keyLength == item.size() && (record.flags & kItem) != 0 &&
        strncasecmp(text_.data() + record.start, item.data(), item.size()) == 0) {
      return piece;
    }
  }
  return std::nullopt;
}

std::optional<size_t> SettingsText::FindItem(std::string_view header, std::string_view item) const {
  const std::optional<size_t> section = FindSection(header);
  if (!section) {
    return std::nullopt;
  }
  return FindItemAfter(*section, item);
}

std::optional<SettingsText> ReadSettingsText(const std::string& path, const std::string& name) {
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    return std::nullopt;
  }
  std::string text;
  struct stat status {};
  if (::fstat(::fileno(file.get()), &status) == 0 && status.st_size > 0 &&
      static_cast<uint64_t>(status.st_size) <= kLargestSettingsFile) {
    // One allocation of the file's size, so a large file is held once and not twice over while
    // the text grows.
    text.reserve(static_cast<size_t>(status.st_size));
  }
  char buffer[1 << 16];
  size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (text.size() + read > kLargestSettingsFile) {
      errno = EFBIG;
      return std::nullopt;
    }
    text.append(buffer, read);
  }
  if (std::ferror(file.get()) != 0) {
    errno = EIO;
    return std::nullopt;
  }
  return SettingsText(name, std::move(text));
}

}  // namespace zarvel
