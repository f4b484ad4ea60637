#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

// What the editor offers to complete at the caret: the names that may stand there, and how many
// characters of the name are typed already (the word that ends at the caret).
struct CompletionOffer {
  size_t typed = 0;
  std::vector<std::string> names;
};

// The names a configuration may have where the caret is. `header` is the section header the
// caret's line lies under ("[snes 2]"; empty before the first), `lineBeforeCaret` the caret's
// line up to the caret, `keyNames` the names of the home directory's "keys.cfg" (asked for
// only when they are offered). At the start of a line, once a character of the name is typed:
// the items the section's reader reads ([config]'s settings; a pad's settings and buttons).
// In a pad section, after "=", "," and ";" (and after a word such as "pulse" there): the key
// names, or the pad's buttons in its Shifts list. Nothing anywhere else.
std::optional<CompletionOffer> OfferCompletion(
    std::string_view header, std::string_view lineBeforeCaret,
    const std::function<std::vector<std::string>()>& keyNames);

// The key names of "keys.cfg" in the home directory (ending with "/"), in the file's order; the
// shipped file's when the home directory has none yet, since the first execution fills it with
// that one. The records before a fault of the file count; an unreadable file gives none.
std::vector<std::string> KeyNamesOf(const std::string& homeDir);

}  // namespace zarvel
