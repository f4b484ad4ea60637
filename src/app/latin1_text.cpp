#include "app/latin1_text.h"

namespace zarvel {

namespace {
constexpr unsigned kLargestByte = 0xFF;
}  // namespace

wxString TextFromBytes(std::string_view bytes) {
  wxString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    text.append(1, wxUniChar(static_cast<unsigned>(static_cast<unsigned char>(byte))));
  }
  return text;
}

std::optional<std::string> BytesFromText(const wxString& text) {
  std::string bytes;
  bytes.reserve(text.length());
  for (const wxUniChar character : text) {
    const auto value = static_cast<unsigned>(character.GetValue());
    if (value > kLargestByte) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

}  // namespace zarvel
