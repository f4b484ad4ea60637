#include "config/settings_lookup.h"

#include "config/config_section.h"

namespace zarvel {
namespace {

// What the required-item stop says; it concerns the section the item is missing from.
[[noreturn]] void ReportMissingItem(SettingsPlace place, std::string_view header,
                                    std::string_view item) {
  place.section = std::string(header);
  place.item = std::string(item);
  ReportBadThingAt(place, "Could not find item \"%s\" in section \"%s\"\n",
                   std::string(item).c_str(), std::string(header).c_str());
}

SettingsPlace PlaceOfSection(const SettingsText& file, std::string_view header) {
  SettingsPlace place{.file = file.Name(), .section = std::string(header)};
  if (const std::optional<size_t> piece = file.FindSection(header)) {
    place.line = file.Line(*piece);
  }
  return place;
}

}  // namespace

bool FindItem(const SettingsText& file, std::string_view header, std::string_view item,
              std::string& value, bool must, SettingsPlace* place) {
  value.clear();
  const std::optional<size_t> piece = file.FindItem(header, item);
  if (piece) {
    value = file.Value(*piece);
    if (place != nullptr) {
      *place = {file.Name(), file.Line(*piece), std::string(header), std::string(item)};
    }
    return true;
  }
  if (must) {
    ReportMissingItem(PlaceOfSection(file, header), header, item);
  }
  if (place != nullptr) {
    *place = PlaceOfSection(file, header);
    place->item = std::string(item);
  }
  return false;
}

bool LookupItem(const SettingsFiles& files, std::string_view header, std::string_view item,
                std::string& value, bool must, SettingsPlace* place) {
  const bool found = FindItem(*files.localFile, header, item, value, false, place);
  if (!value.empty()) {
    return found;
  }
  SettingsPlace localPlace;
  if (place != nullptr) {
    localPlace = *place;
  }
  const bool globalFound = FindItem(*files.globalFile, header, item, value, false, place);
  if (!globalFound && must) {
    ReportMissingItem(SectionPlace(files, header), header, item);
  }
  // An item that only the document has, with nothing after its "=", is the document's.
  if (!globalFound && found && place != nullptr) {
    *place = localPlace;
  }
  return globalFound;
}

bool FindSection(const SettingsText& file, std::string_view header) {
  return file.FindSection(header).has_value();
}

bool SectionExists(const SettingsFiles& files, std::string_view header) {
  return FindSection(*files.localFile, header) || FindSection(*files.globalFile, header);
}

SettingsPlace SectionPlace(const SettingsFiles& files, std::string_view header) {
  // [config] is the global file's to give: a setting that neither file has is missing from
  // there, the more so when that file is empty.
  if (SameName(header, kConfigHeader) && files.globalFile) {
    return PlaceOfSection(*files.globalFile, header);
  }
  for (const std::optional<SettingsText>* file : {&files.localFile, &files.globalFile}) {
    if (*file && (*file)->FindSection(header)) {
      return PlaceOfSection(**file, header);
    }
  }
  SettingsPlace place{.section = std::string(header)};
  if (files.localFile) {
    place.file = files.localFile->Name();
  }
  return place;
}

}  // namespace zarvel
