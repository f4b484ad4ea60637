#include "config/settings_line.h"

namespace zarvel {

bool ReadSettingsLine(std::FILE* file, std::string& line) {
  // Only the execution thread reads a settings file, so the stream needs no lock per character.
  flockfile(file);
  line.clear();
  while (line.size() < kSettingsPieceLength) {
    int c = getc_unlocked(file);
    if (c == EOF) {
      break;
    }
    if (c == '\r') {
      const int next = getc_unlocked(file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    line.push_back(static_cast<char>(c));
    if (c == '\n') {
      break;
    }
  }
  funlockfile(file);
  return !line.empty();
}

std::string_view LineKey(std::string_view line) {
  const size_t end = line.find_first_of(" =\n");
  return line.substr(0, end == std::string_view::npos ? line.size() : end);
}

}  // namespace zarvel
