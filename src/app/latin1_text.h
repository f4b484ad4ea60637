#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <wx/string.h>

namespace zarvel {

// A document is stored byte for byte: each byte is shown as the one character with the same
// number (ISO 8859-1), and each character goes back to its byte. No line ends or character
// sets are converted, so CR LF and the bytes 0x80 to 0xFF survive a load and a save unchanged.
wxString TextFromBytes(std::string_view bytes);

// The bytes of a text, or nothing when a character does not fit in one byte (one typed or
// pasted from outside ISO 8859-1), since writing it would change what the user sees.
std::optional<std::string> BytesFromText(const wxString& text);

}  // namespace zarvel
