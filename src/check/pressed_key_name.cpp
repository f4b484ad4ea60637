#include "check/pressed_key_name.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "base/format_text.h"
#include "check/configuration_check.h"
#include "config/settings_files.h"
#include "hardware/scan_codes.h"
#include "mapping/key_definitions.h"

namespace zarvel {
namespace {

// The naming's own messages, all in one place.
constexpr const char* kUnknownKeyCode =
    "The pressed key (Linux input code %u) is no key of the PC keyboard that Zarvel knows, so "
    "nothing was written.";
constexpr const char* kKeyMissing = "The key %s is not in keys.cfg, so nothing was written.";
constexpr const char* kUnreadableFile = "%s cannot be read, so nothing was written.";
constexpr const char* kBadFile = "keys.cfg cannot be read, so nothing was written: %s";

const ScanCodeKey* FindKeyByLinuxCode(uint16_t linuxCode) {
  for (const ScanCodeKey& key : ScanCodeKeys()) {
    if (key.linuxCode == linuxCode) {
      return &key;
    }
  }
  return nullptr;
}

// Reads the key definitions with the execution's own reader and names the key by them.
PressedKeyName NameInFile(std::FILE* file, const ScanCodeKey& key) {
  KeyDefinitions definitions;
  try {
    if (file != nullptr) {
      ReadKeyDefinitions(file, AllocationGate{}, definitions);
    }
  } catch (const BadThing& fault) {
    return {{}, FormatText(kBadFile, StopMessageOf(fault.what(), {}).c_str())};
  }
  const ScanCodeBytes down = KeyDownBytes(key);
  const std::span<const KeyDefinition> records(definitions.table.get(),
                                               static_cast<size_t>(definitions.count));
  for (const KeyDefinition& record : records) {
    if (!std::ranges::equal(KeyBytes(record.down), down.View())) {
      continue;
    }
    // A button definition names a key, and the execution takes the first record of that name:
    // only a name that leads back to these bytes can be written.
    const KeyDefinition& named = *std::ranges::find(records, record.name, &KeyDefinition::name);
    if (std::ranges::equal(KeyBytes(named.down), down.View())) {
      return {record.name, {}};
    }
  }
  return {{}, FormatText(kKeyMissing, std::string(key.name).c_str())};
}

struct StreamCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

PressedKeyName NameOfPressedKey(std::string_view keysCfgText, uint16_t linuxCode) {
  const ScanCodeKey* key = FindKeyByLinuxCode(linuxCode);
  if (key == nullptr) {
    return {{}, FormatText(kUnknownKeyCode, static_cast<unsigned>(linuxCode))};
  }
  // An empty text has no records; a stream of it is not needed.
  std::string buffer(keysCfgText);
  const std::unique_ptr<std::FILE, StreamCloser> stream(
      buffer.empty() ? nullptr : fmemopen(buffer.data(), buffer.size(), "r"));
  return NameInFile(stream.get(), *key);
}

PressedKeyName NameOfPressedKeyInHome(const std::string& homeDir, uint16_t linuxCode) {
  const ScanCodeKey* key = FindKeyByLinuxCode(linuxCode);
  if (key == nullptr) {
    return {{}, FormatText(kUnknownKeyCode, static_cast<unsigned>(linuxCode))};
  }
  const std::string path = homeDir + kKeyDefinitionFileName;
  const SettingsFile file = OpenRegularFile(path);
  if (!file) {
    return {{}, FormatText(kUnreadableFile, path.c_str())};
  }
  return NameInFile(file.get(), *key);
}

}  // namespace zarvel
