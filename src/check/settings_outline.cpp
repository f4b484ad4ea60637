#include "check/settings_outline.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "config/settings_files.h"
#include "config/settings_line.h"
#include "config/value_text.h"

namespace zarvel {
namespace {

struct StreamCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Fills in what FindItem would see in the piece: its key and, when an "=" follows the key, its
// value.
OutlinePiece DescribePiece(int32_t line, size_t offset, std::string text) {
  OutlinePiece piece;
  piece.line = line;
  piece.offset = offset;
  if (!text.empty() && text.back() == '\n') {
    text.pop_back();
  }
  piece.key = std::string(LineKey(text));
  const size_t equals = text.find('=', piece.key.size());
  if (!piece.key.empty() && equals != std::string::npos) {
    piece.item = true;
    piece.value = text.substr(equals + 1);
    NormalizeValue(piece.value);
  }
  piece.text = std::move(text);
  return piece;
}

// Reads the pieces through the very function an execution reads its files with, so they are the
// ones it sees.
SettingsOutline OutlineStream(std::FILE* stream) {
  std::vector<OutlinePiece> pieces;
  int32_t line = 1;
  std::string piece;
  // The position before each read is where the piece begins: a CR LF pair reads as one "\n",
  // so the length of what was read does not tell it.
  long offset = std::ftell(stream);
  while (ReadSettingsLine(stream, piece)) {
    const bool endsLine = piece.back() == '\n';
    pieces.push_back(DescribePiece(line, static_cast<size_t>(std::max(offset, 0L)), piece));
    offset = std::ftell(stream);
    if (endsLine) {
      ++line;
    }
  }
  return SettingsOutline(std::move(pieces));
}

}  // namespace

bool BeginsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && BeginsWithIgnoringCase(a, b);
}

const OutlinePiece* SettingsOutline::Section(std::string_view header) const {
  for (const OutlinePiece& piece : pieces_) {
    if (BeginsWithIgnoringCase(piece.text, header)) {
      return &piece;
    }
  }
  return nullptr;
}

const OutlinePiece* SettingsOutline::Item(std::string_view header, std::string_view item) const {
  const OutlinePiece* section = Section(header);
  if (section == nullptr) {
    return nullptr;
  }
  for (auto piece = pieces_.begin() + (section - pieces_.data()) + 1; piece != pieces_.end();
       ++piece) {
    if (piece->item && SameName(piece->key, item)) {
      return &*piece;
    }
  }
  return nullptr;
}

SettingsOutline OutlineSettings(std::string_view text) {
  if (text.empty()) {
    return SettingsOutline({});
  }
  std::string buffer(text);
  const std::unique_ptr<std::FILE, StreamCloser> stream(
      fmemopen(buffer.data(), buffer.size(), "r"));
  if (!stream) {
    return SettingsOutline({});
  }
  return OutlineStream(stream.get());
}

std::optional<SettingsOutline> OutlineSettingsFile(const std::string& path) {
  // Only a regular file, as the execution opens it: a FIFO would keep the reader waiting.
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    return std::nullopt;
  }
  return OutlineStream(file.get());
}

}  // namespace zarvel
