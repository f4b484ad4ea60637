#include "config/section_cursor.h"

namespace zarvel {

namespace {

// Writes "[" base separator number "]", or "[" base "]" without a number.
void WriteHeader(std::string& header, std::string_view base, std::string_view separator,
                 std::string_view number) {
  header.clear();
  header.push_back('[');
  header.append(base).append(separator).append(number).push_back(']');
}

}  // namespace

int32_t NextSectionName(std::string_view base, int32_t start, SectionCursor& cursor,
                        std::string& header) {
  if (cursor.advance) {
    cursor.advance = false;
    ++cursor.number;
  }
  if (start != kSectionRunContinue) {
    // Start -1 is the whole run, numbered from 1; a number starts a run at that section.
    cursor.number = start == kSectionRunFromStart ? 1 : start;
    WriteHeader(header, base, "", "");
    cursor.noSpaceNext = true;
    cursor.advance = false;
    return cursor.number;
  }
  const std::string number = std::to_string(cursor.number);
  if (cursor.noSpaceNext) {
    WriteHeader(header, base, "", number);
    cursor.noSpaceNext = false;
  } else {
    WriteHeader(header, base, " ", number);
    cursor.noSpaceNext = true;
    cursor.advance = true;
  }
  return cursor.number;
}

}  // namespace zarvel
