#include "config/settings_lookup.h"

#include <memory>

#include <gtest/gtest.h>

#include "base/bad_thing.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using testing::TempDir;

// One settings file written to disk and opened as an execution opens it.
class SettingsFileTest : public ::testing::Test {
 protected:
  const SettingsText& Open(std::string_view contents) {
    const std::string path = dir_.Write("f" + std::to_string(files_.size()), contents);
    files_.push_back(std::make_unique<SettingsText>(*ReadSettingsText(path, path)));
    return *files_.back();
  }

  std::string Find(std::string_view contents, std::string_view header, std::string_view item) {
    std::string value = "stale";
    return FindItem(Open(contents), header, item, value, false) ? value : "<none:" + value + ">";
  }

  TempDir dir_;
  std::vector<std::unique_ptr<SettingsText>> files_;
};

TEST_F(SettingsFileTest, FindsItemsWhateverTheirCaseAndSpacing) {
  EXPECT_EQ(Find("[config]\nPort = 378\n", "[config]", "Port"), "378");
  EXPECT_EQ(Find("[config]\nport=378\n", "[config]", "Port"), "378");
  EXPECT_EQ(Find("[CONFIG]\nPORT    =    378\n", "[config]", "port"), "378");
  EXPECT_EQ(Find("[config]\nKeySimMethod = New  \t \n", "[config]", "KeySimMethod"), "new");
  EXPECT_EQ(Find("[config]\nName = two words\n", "[config]", "Name"), "two words");
  EXPECT_EQ(Find("[config]\nPort = \n", "[config]", "Port"), "");
  // A tab after the "=" is part of the value; NormalizeValue keeps a leading tab.
  EXPECT_EQ(Find("[config]\nPort =\t378\n", "[config]", "Port"), "\t378");
}

TEST_F(SettingsFileTest, ReadsCrLfLinesAsPlainLines) {
  EXPECT_EQ(Find("[config]\r\nPort = 378\r\nTickFreq = 5\r\n", "[config]", "TickFreq"), "5");
}

TEST_F(SettingsFileTest, SearchesPastLaterSectionHeaders) {
  const char* file = "[snes]\nclock = 2\n[snes 1]\ndata = 10\n[snes 2]\ndata = 11\n";
  EXPECT_EQ(Find(file, "[snes]", "data"), "10");
  EXPECT_EQ(Find(file, "[snes 2]", "data"), "11");
  EXPECT_EQ(Find(file, "[snes 2]", "clock"), "<none:>");
}

TEST_F(SettingsFileTest, IgnoresItemsBeforeTheHeaderAndIndentedLines) {
  EXPECT_EQ(Find("Port = 1\n[config]\n", "[config]", "Port"), "<none:>");
  EXPECT_EQ(Find("[config]\n Port = 1\n", "[config]", "Port"), "<none:>");
  EXPECT_EQ(Find(" [config]\nPort = 1\n", "[config]", "Port"), "<none:>");
  // A tab after the key belongs to the key, which then names another item.
  EXPECT_EQ(Find("[config]\nPort\t= 1\n", "[config]", "Port"), "<none:>");
  // A key line without "=" carries no value; the search goes on to the next one.
  EXPECT_EQ(Find("[config]\nPort\nPort = 2\n", "[config]", "Port"), "2");
  // The key must match whole, not as a prefix.
  EXPECT_EQ(Find("[config]\nPortable = 1\nPort = 2\n", "[config]", "Port"), "2");
}

TEST_F(SettingsFileTest, ReadsTheLastLineEvenWithoutALineEnd) {
  EXPECT_EQ(Find("[config]\nPort = 378", "[config]", "Port"), "378");
  EXPECT_TRUE(FindSection(Open("[snes 2]"), "[snes 2]"));
}

TEST_F(SettingsFileTest, ReadsLongLinesInPiecesOfAHundredCharacters) {
  // The 101st character begins a piece of its own, which is examined like a line.
  const std::string line = std::string(100, 'x') + "Port = 5";
  EXPECT_EQ(Find("[config]\n" + line + "\n", "[config]", "Port"), "5");
  // A value is cut where its piece ends.
  const std::string longValue = "Name = " + std::string(120, 'v');
  EXPECT_EQ(Find("[config]\n" + longValue + "\n", "[config]", "Name"), std::string(93, 'v'));
}

TEST_F(SettingsFileTest, ReportsAMissingRequiredItemWithItsSection) {
  std::string value;
  try {
    FindItem(Open("[config]\n"), "[config]", "TickFreq", value, true);
    FAIL() << "no error";
  } catch (const BadThing& error) {
    EXPECT_STREQ(error.what(), "Could not find item \"TickFreq\" in section \"[config]\"\n");
  }
}

TEST_F(SettingsFileTest, LocalValuesWinUnlessEmpty) {
  SettingsFiles files;
  files.localFile = SettingsText("local.ini", "[config]\nPort = 3bc\nTickFreq =\n");
  files.globalFile =
      SettingsText("global.ini", "[config]\nPort = 378\nTickFreq = 50\nDrawDots = t\n[snes]\n");
  std::string value;
  EXPECT_TRUE(LookupItem(files, "[config]", "Port", value, false));
  EXPECT_EQ(value, "3bc");
  EXPECT_TRUE(LookupItem(files, "[config]", "TickFreq", value, false));
  EXPECT_EQ(value, "50");
  EXPECT_TRUE(LookupItem(files, "[config]", "DrawDots", value, false));
  EXPECT_EQ(value, "t");
  EXPECT_FALSE(LookupItem(files, "[config]", "Missing", value, false));
  EXPECT_EQ(value, "");
  EXPECT_THROW(LookupItem(files, "[config]", "Missing", value, true), BadThing);

  EXPECT_TRUE(SectionExists(files, "[snes]"));
  EXPECT_TRUE(SectionExists(files, "[CONFIG]"));
  EXPECT_FALSE(SectionExists(files, "[nes]"));
}

}  // namespace
}  // namespace zarvel
