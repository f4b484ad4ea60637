#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarvel {

// Replaces the file at `path` with `bytes` so that the file is always either the old text or
// the new one, never something in between: the bytes go into a new file beside the old one,
// which is flushed to the disk and only then renamed over the old one. The new file keeps the
// old one's permissions (and its owner and group, where the user may give them). A link is
// followed, so the file it names is replaced and the link stays. A file that does not exist
// yet is made with the usual permissions. Returns why the save failed; the old file and its
// directory are then as they were.
std::optional<std::string> SaveFileWhole(const std::string& path, std::string_view bytes);

}  // namespace zarvel
