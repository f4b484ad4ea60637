#include "config/section_cursor.h"

namespace zarvel {

int32_t NextSectionName(std::string_view base, int32_t start, SectionCursor& cursor,
                        std::string& header) {
  if (cursor.advance) {
    cursor.advance = false;
    ++cursor.number;
  }
  if (start != kSectionRunContinue) {
    // Start -1 is the whole run, numbered from 1; a number starts a run at that section.
    cursor.number = start == kSectionRunFromStart ? 1 : start;
    header = "[" + std::string(base) + "]";
    cursor.noSpaceNext = true;
    cursor.advance = false;
    return cursor.number;
  }
  const std::string number = std::to_string(cursor.number);
  if (cursor.noSpaceNext) {
    header = "[" + std::string(base) + number + "]";
    cursor.noSpaceNext = false;
  } else {
    header = "[" + std::string(base) + " " + number + "]";
    cursor.noSpaceNext = true;
    cursor.advance = true;
  }
  return cursor.number;
}

}  // namespace zarvel
