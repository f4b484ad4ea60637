#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zarvel {

// A change of a text: `length` bytes from byte `start` become `replacement`.
struct TextEdit {
  size_t start = 0;
  size_t length = 0;
  std::string replacement;
};

// What assigning a key to a button makes of a settings text: the one edit that does it, or
// why there is none.
struct ButtonAssignment {
  std::optional<TextEdit> edit;
  std::string error;  // A full sentence; empty when there is an edit.
};

// The edit of a settings text that makes the pad section `header` (as an execution finds it,
// "[snes 1]") send the key `keyName` from `button` in shift state `shiftState`.
//
// The section and the item are the ones an execution reads: the first line that begins with
// the header, letter case aside, and in it the first line whose key is the button's name. The
// section runs to the next line that begins with "[". When the section has the item, only the
// shift state's place in its value is replaced (state 0 is the text before the first ";",
// state k the text after the k-th ";"), and a value with fewer states is filled up with ";".
// Otherwise a line "button = keyName" (with a ";" before the key for each state before
// `shiftState`) is added after the section's last line that is not blank, in the text's own
// line ending; a block of remarks that a blank line sets apart at the end of the section is
// taken for the heading of the next section and stays with it.
ButtonAssignment AssignButtonKey(std::string_view text, std::string_view header,
                                 std::string_view button, int shiftState, std::string_view keyName);

// The text with the edit made.
std::string ApplyTextEdit(std::string_view text, const TextEdit& edit);

}  // namespace zarvel
