#include "config/settings_lookup.h"

#include <strings.h>

#include "base/bad_thing.h"
#include "config/settings_line.h"
#include "config/value_text.h"

namespace zarvel {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// Reads lines until one begins with the header; false at the end of the file.
bool SkipToSection(std::FILE* file, std::string_view header, std::string& line) {
  while (ReadSettingsLine(file, line)) {
    if (StartsWithIgnoringCase(line, header)) {
      return true;
    }
  }
  return false;
}

// The value of an item line whose key matched: the text after the first "=" behind the key,
// with the blanks right after the "=" skipped. A key line with no "=" carries no value and
// is not taken for the item.
bool ItemValue(std::string_view line, size_t keyLength, std::string& value) {
  const std::string_view rest = line.substr(keyLength);
  const size_t equals = rest.find('=');
  if (equals == std::string_view::npos) {
    return false;
  }
  std::string_view text = rest.substr(equals + 1);
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  if (!text.empty() && text.back() == '\n') {
    text.remove_suffix(1);
  }
  value.assign(text);
  NormalizeValue(value);
  return true;
}

}  // namespace

bool FindItem(std::FILE* file, std::string_view header, std::string_view item, std::string& value,
              bool must) {
  value.clear();
  std::rewind(file);
  std::string line;
  if (SkipToSection(file, header, line)) {
    while (ReadSettingsLine(file, line)) {
      const std::string_view key = LineKey(line);
      if (key.size() == item.size() && StartsWithIgnoringCase(key, item) &&
          ItemValue(line, key.size(), value)) {
        return true;
      }
    }
  }
  if (must) {
    ReportBadThing("Could not find item \"%s\" in section \"%s\"\n", std::string(item).c_str(),
                   std::string(header).c_str());
  }
  return false;
}

bool LookupItem(const SettingsFiles& files, std::string_view header, std::string_view item,
                std::string& value, bool must) {
  const bool found = FindItem(files.localFile.get(), header, item, value, false);
  if (!value.empty()) {
    return found;
  }
  return FindItem(files.globalFile.get(), header, item, value, must);
}

bool FindSection(std::FILE* file, std::string_view header) {
  std::rewind(file);
  std::string line;
  return SkipToSection(file, header, line);
}

bool SectionExists(const SettingsFiles& files, std::string_view header) {
  return FindSection(files.localFile.get(), header) || FindSection(files.globalFile.get(), header);
}

}  // namespace zarvel
