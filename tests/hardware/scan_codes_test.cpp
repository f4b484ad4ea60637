#include "hardware/scan_codes.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "config/settings_files.h"
#include "mapping/key_definitions.h"

namespace zarvel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(std::span<const uint8_t> bytes) {
  return {bytes.begin(), bytes.end()};
}

const ScanCodeKey& Key(std::string_view name) {
  const ScanCodeKey* key = FindScanCodeKeyByName(name);
  EXPECT_NE(key, nullptr) << name;
  return *key;
}

TEST(ScanCodeKeys, CoverA105KeyKeyboardOnceEach) {
  const auto keys = ScanCodeKeys();
  EXPECT_EQ(keys.size(), 105u);
  std::set<std::string_view> names;
  std::set<Bytes> downs;
  std::set<uint16_t> linuxCodes;
  for (const ScanCodeKey& key : keys) {
    EXPECT_FALSE(key.name.empty());
    EXPECT_LE(key.name.size(), 11u) << key.name;
    for (const char c : key.name) {
      EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << key.name;
    }
    EXPECT_EQ(key.code & kBreakBit, 0) << key.name;
    EXPECT_NE(key.linuxCode, 0) << key.name;
    EXPECT_TRUE(names.insert(key.name).second) << "twice: " << key.name;
    EXPECT_TRUE(downs.insert(ToBytes(KeyDownBytes(key).View())).second) << key.name;
    EXPECT_TRUE(linuxCodes.insert(key.linuxCode).second) << key.name;
  }
}

TEST(ScanCodeKeys, SendTheBytesOfScanCodeSetOne) {
  const std::pair<const char*, std::pair<Bytes, Bytes>> cases[] = {
      {"a", {{0x1E}, {0x9E}}},
      {"esc", {{0x01}, {0x81}}},
      {"102nd", {{0x56}, {0xD6}}},
      {"up", {{0xE0, 0x48}, {0xE0, 0xC8}}},
      {"kp8", {{0x48}, {0xC8}}},
      {"rctrl", {{0xE0, 0x1D}, {0xE0, 0x9D}}},
      {"kpenter", {{0xE0, 0x1C}, {0xE0, 0x9C}}},
      {"printscreen", {{0xE0, 0x2A, 0xE0, 0x37}, {0xE0, 0xB7, 0xE0, 0xAA}}},
      {"pause", {{0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5}, {}}},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_EQ(ToBytes(KeyDownBytes(Key(name)).View()), bytes.first) << name;
    EXPECT_EQ(ToBytes(KeyUpBytes(Key(name)).View()), bytes.second) << name;
  }
  EXPECT_EQ(Key("a").linuxCode, KEY_A);
  EXPECT_EQ(Key("up").linuxCode, KEY_UP);
  EXPECT_EQ(Key("printscreen").linuxCode, KEY_SYSRQ);
  EXPECT_EQ(Key("102nd").linuxCode, KEY_102ND);
  EXPECT_EQ(FindScanCodeKey(0, 0x48), &Key("kp8"));
  EXPECT_EQ(FindScanCodeKey(kExtendedPrefix, 0x48), &Key("up"));
  EXPECT_EQ(FindScanCodeKey(kExtendedPrefix, 0x01), nullptr);
}

// The shipped "keys.cfg" defines every key of the table under the same name and with the same
// bytes, and a silent "none".
TEST(ScanCodeKeys, AgreeWithTheShippedKeyDefinitions) {
  SettingsFiles files;
  files.homeDir = ZARVEL_SOURCE_DIR "/data/home/";
  KeyDefinitions definitions;
  LoadKeyDefinitions(files, AllocationGate{}, definitions);
  EXPECT_EQ(definitions.count, static_cast<int32_t>(ScanCodeKeys().size()) + 1);
  for (const ScanCodeKey& key : ScanCodeKeys()) {
    const KeyDefinition& definition = definitions.table[FindKeyDefinition(definitions, key.name)];
    EXPECT_EQ(ToBytes(KeyBytes(definition.down)), ToBytes(KeyDownBytes(key).View())) << key.name;
    EXPECT_EQ(ToBytes(KeyBytes(definition.up)), ToBytes(KeyUpBytes(key).View())) << key.name;
  }
  const KeyDefinition& none = definitions.table[FindKeyDefinition(definitions, "none")];
  EXPECT_EQ(none.down.length, 0);
  EXPECT_EQ(none.up.length, 0);
}

}  // namespace
}  // namespace zarvel
