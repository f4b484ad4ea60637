// Feeds arbitrary bytes to the reader that finds the line a "Bad Thing" names: the input's first
// line is the message, the rest the document. Every input must end in a line of the document or
// none, never a crash, a hang or an overrun.
#include <cstdint>
#include <optional>
#include <string_view>

#include "check/bad_thing_place.h"
#include "check/settings_outline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t end = input.find('\n');
  const std::string_view message = end == std::string_view::npos ? input : input.substr(0, end);
  const std::string_view document =
      end == std::string_view::npos ? std::string_view() : input.substr(end + 1);

  const std::optional<int> line = zarvel::LineNamedBy(document, message);
  // A line it names is one the document has.
  int64_t lines = 1;
  for (const char byte : document) {
    lines += byte == '\n' ? 1 : 0;
  }
  if (line && (*line < 1 || *line > lines)) {
    __builtin_trap();
  }
  zarvel::OutlineSettings(input);
  return 0;
}
