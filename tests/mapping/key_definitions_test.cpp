#include "mapping/key_definitions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bad_thing.h"
#include "config/settings_files.h"
#include "support/bad_thing_message.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

std::vector<uint8_t> Held(const KeySequence& sequence) {
  const std::span<const uint8_t> bytes = KeyBytes(sequence);
  return {bytes.begin(), bytes.end()};
}

using Bytes = std::vector<uint8_t>;

// A home directory holding one "keys.cfg", and the definitions read from it.
class KeyFile {
 public:
  explicit KeyFile(std::string_view text) {
    if (text != kNoFile) {
      home_.Write(kKeyDefinitionFileName, text);
    }
    files_.homeDir = home_.Slash();
  }

  void Load() { LoadKeyDefinitions(files_, allocation, definitions); }

  // The message the loading ends with, or "" when it loads.
  std::string LoadError() {
    return testing::BadThingMessage([&] { Load(); });
  }

  const KeyDefinition& Named(std::string_view name) const {
    return definitions.table[FindKeyDefinition(definitions, name)];
  }

  static constexpr std::string_view kNoFile = "\x01no file";

  AllocationGate allocation;
  KeyDefinitions definitions;

 private:
  testing::TempDir home_;
  SettingsFiles files_;
};

std::string Records(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "1e 9e k" + std::to_string(i) + "\n";
  }
  return text;
}

TEST(LoadKeyDefinitions, ReadsTheThreeKindsOfRecord) {
  KeyFile file("1e 9e a\ne0,48 e0,c8 up\n0 0 none\n");
  file.Load();
  ASSERT_EQ(file.definitions.count, 3);
  EXPECT_EQ(file.definitions.table[0].name, "a");
  EXPECT_EQ(Held(file.definitions.table[0].down), Bytes{0x1E});
  EXPECT_EQ(Held(file.definitions.table[0].up), Bytes{0x9E});
  EXPECT_EQ(file.definitions.table[1].name, "up");
  EXPECT_EQ(Held(file.definitions.table[1].down), (Bytes{0xE0, 0x48}));
  EXPECT_EQ(Held(file.definitions.table[1].up), (Bytes{0xE0, 0xC8}));
  EXPECT_EQ(file.definitions.table[2].name, "none");
  EXPECT_EQ(file.definitions.table[2].down.length, 0);
  EXPECT_EQ(file.definitions.table[2].up.length, 0);
}

TEST(LoadKeyDefinitions, ReadsValuesAsTheHexadecimalConversionDoes) {
  KeyFile file("e0,0 0 x\n1e,0,2a 9e y\n11e 0x19E z\n1e,\n   2a 0X9e w\n");
  file.Load();
  // A list whose last value is zero is empty; a zero elsewhere is kept.
  EXPECT_EQ(file.Named("x").down.length, 0);
  EXPECT_EQ(Held(file.Named("y").down), (Bytes{0x1E, 0x00, 0x2A}));
  // Only the low byte of a longer number is kept; a 0x prefix is allowed.
  EXPECT_EQ(Held(file.Named("z").down), Bytes{0x1E});
  EXPECT_EQ(Held(file.Named("z").up), Bytes{0x9E});
  // Any white space may follow a comma.
  EXPECT_EQ(Held(file.Named("w").down), (Bytes{0x1E, 0x2A}));
  EXPECT_EQ(Held(file.Named("w").up), Bytes{0x9E});
}

TEST(LoadKeyDefinitions, LayoutOfTheFileChangesNothing) {
  KeyFile oneLine("1e 9e a\ne0,48 e0,c8 up");
  KeyFile spread("\n\n1e\n9e\na\n\n\n  e0,48\t\ne0,c8\r\n  up  \n\n\n");
  oneLine.Load();
  spread.Load();
  ASSERT_EQ(oneLine.definitions.count, 2);
  ASSERT_EQ(spread.definitions.count, 2);
  for (const char* name : {"a", "up"}) {
    EXPECT_EQ(Held(oneLine.Named(name).down), Held(spread.Named(name).down)) << name;
    EXPECT_EQ(Held(oneLine.Named(name).up), Held(spread.Named(name).up)) << name;
  }
}

TEST(FindKeyDefinition, FindsLoweredNamesAndTheEarlierOfTwo) {
  KeyFile file("1 81 Esc\n2 82 esc\n3 83 b");
  file.Load();
  EXPECT_EQ(FindKeyDefinition(file.definitions, "esc"), 0);
  EXPECT_EQ(FindKeyDefinition(file.definitions, "b"), 2);
  EXPECT_EQ(testing::BadThingMessage([&] { FindKeyDefinition(file.definitions, "Esc"); }),
            "Could not find key definition for \"Esc\".\n");
}

TEST(LoadKeyDefinitions, ReportsAMissingFile) {
  KeyFile file(KeyFile::kNoFile);
  // The path and the system's reason follow the sentence.
  EXPECT_TRUE(file.LoadError().starts_with("Could not open key definition file. /"));
  EXPECT_TRUE(file.LoadError().ends_with("keys.cfg: No such file or directory\n"));
}

TEST(LoadKeyDefinitions, CountsNoRecordThatTheFileEndsInside) {
  const std::pair<const char*, int32_t> cases[] = {
      {"", 0}, {"  \n\n", 0}, {"1e 9e a\n1f 9f", 1}, {"1e 9e a\n1f,", 1}, {"1e 9e a\n1f", 1}};
  for (const auto& [text, count] : cases) {
    KeyFile file(text);
    file.Load();
    EXPECT_EQ(file.definitions.count, count) << "\"" << text << "\"";
  }
}

TEST(LoadKeyDefinitions, RefusesMoreRecordsThanTheTableHolds) {
  KeyFile full(Records(kMaxKeyDefinitions));
  full.Load();
  EXPECT_EQ(full.definitions.count, kMaxKeyDefinitions);
  EXPECT_EQ(full.Named("k114").name, "k114");

  KeyFile over(Records(kMaxKeyDefinitions) + "\n2a aa last\n");
  EXPECT_EQ(over.LoadError(),
            "Key definition file holds more than 115 key definitions: record 116 begins at "
            "line 117.\n");
}

TEST(LoadKeyDefinitions, RefusesListsLongerThanTheirRoom) {
  std::string values = "1";
  for (int i = 1; i < kMaxKeyListValues; ++i) {
    values += "," + std::to_string(i % 10 + 1);
  }
  KeyFile full("1e 9e a\n" + values + " 0 long\n");
  full.Load();
  EXPECT_EQ(full.Named("long").down.length, kMaxKeyListValues);

  KeyFile over("1e 9e a\n0 " + values + ",2 long\n");
  EXPECT_EQ(over.LoadError(),
            "Key list with more than 28 values in record 2 (line 2) of the key definition "
            "file.\n");
}

TEST(LoadKeyDefinitions, RefusesNamesLongerThanTheirRoom) {
  KeyFile full("1e 9e elevenchars\n");
  full.Load();
  EXPECT_EQ(full.Named("elevenchars").name, "elevenchars");

  KeyFile over("1e 9e a\n\n2a aa TwelveChars!\n");
  EXPECT_EQ(over.LoadError(),
            "Key name \"TwelveChars...\" in record 2 (line 3) of the key definition file is "
            "longer than 11 characters.\n");
}

TEST(LoadKeyDefinitions, RefusesTextThatIsNotAHexadecimalNumber) {
  EXPECT_EQ(KeyFile("1e 9e a\n1e zz b\n").LoadError(),
            "\"zz\" in record 2 (line 2) of the key definition file is not a hexadecimal "
            "number.\n");
  // A blank before a comma ends the list, and the comma then stands where a value should.
  EXPECT_EQ(KeyFile("1e ,2a 9e b\n").LoadError(),
            "\",2a\" in record 1 (line 1) of the key definition file is not a hexadecimal "
            "number.\n");
  EXPECT_EQ(KeyFile("1e -x b\n").LoadError(),
            "\"-x\" in record 1 (line 1) of the key definition file is not a hexadecimal "
            "number.\n");
}

TEST(LoadKeyDefinitions, ReportsRefusedAllocations) {
  KeyFile file("1e 9e a\n");
  file.allocation.refuse = [](int32_t size) { return size == kMaxKeyListValues; };
  EXPECT_EQ(file.LoadError(), "Could not allocate 28 bytes.\n");
}

TEST(FreeKeyDefinitions, LeavesNothingToFind) {
  KeyFile file("1e 9e a\n");
  file.Load();
  FreeKeyDefinitions(file.definitions);
  EXPECT_EQ(file.definitions.table, nullptr);
  EXPECT_THROW(FindKeyDefinition(file.definitions, "a"), BadThing);
}

}  // namespace
}  // namespace zarvel
