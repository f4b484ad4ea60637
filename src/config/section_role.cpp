#include "config/section_role.h"

#include <array>
#include <vector>

#include "config/config_section.h"
#include "config/pad_sections.h"
#include "config/section_cursor.h"
#include "config/settings_text.h"

namespace zarvel {
namespace {

// Whether the line begins with one of the headers an execution tries for pads of the kind.
bool BeginsWithPadHeader(std::string_view line, std::string_view kindName) {
  SectionCursor cursor;
  std::string header;
  for (int32_t number = NextSectionName(kindName, kSectionRunFromStart, cursor, header);
       number <= kHighestPadNumber;
       number = NextSectionName(kindName, kSectionRunContinue, cursor, header)) {
    if (BeginsWithIgnoringCase(line, header)) {
      return true;
    }
  }
  return false;
}

std::string HeaderOf(std::string_view line) {
  const size_t close = line.find(']');
  if (close != std::string_view::npos) {
    return std::string(line.substr(0, close + 1));
  }
  const size_t end = line.find_last_not_of(" \t\r\n");
  return std::string(line.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

}  // namespace

SectionRole RoleOfSection(std::string_view line, SettingsFileKind file) {
  SectionRole role{SectionRole::Reader::kOther, {}, HeaderOf(line)};
  if (line.empty() || line.front() != '[') {
    role.reader = SectionRole::Reader::kNone;
    return role;
  }
  if (file == SettingsFileKind::kSettings && BeginsWithIgnoringCase(line, kConfigHeader)) {
    role.reader = SectionRole::Reader::kConfig;
    return role;
  }
  for (const std::string_view kindName : kPadKindsInOrder) {
    if (BeginsWithPadHeader(line, kindName)) {
      role.reader = SectionRole::Reader::kPad;
      role.kind = kindName;
      return role;
    }
  }
  // "[snes 6]" and "[snes0]" are taken for pads of their kind that no execution looks for. Of
  // the kinds' names none begins another's, so the first that matches is the kind.
  for (const std::string_view kindName : kPadKindsInOrder) {
    if (BeginsWithIgnoringCase(line.substr(1), kindName)) {
      role.reader = SectionRole::Reader::kUnusedPad;
      role.kind = kindName;
      return role;
    }
  }
  return role;
}

}  // namespace zarvel
