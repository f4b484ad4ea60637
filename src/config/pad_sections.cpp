#include "config/pad_sections.h"

#include "config/section_cursor.h"
#include "config/settings_lookup.h"

namespace zarvel {

std::vector<PadSection> FindPadSections(const SettingsFiles& files, std::string_view kindName,
                                        int32_t highestNumber) {
  std::vector<PadSection> sections;
  SectionCursor cursor;
  std::string header;
  for (int32_t number = NextSectionName(kindName, kSectionRunFromStart, cursor, header);
       number <= highestNumber;
       number = NextSectionName(kindName, kSectionRunContinue, cursor, header)) {
    if (SectionExists(files, header)) {
      sections.push_back({header, number});
    }
  }
  return sections;
}

std::vector<PadPlace> FindPadPlaces(const SettingsFiles& files) {
  std::vector<PadPlace> places;
  for (const std::string_view kind : kPadKindsInOrder) {
    for (PadSection& section : FindPadSections(files, kind, kHighestPadNumber)) {
      places.push_back({kind, std::move(section)});
    }
  }
  return places;
}

}  // namespace zarvel
