#include "config/config_section.h"

#include <gtest/gtest.h>

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/settings_files.h"
#include "support/home_fixture.h"

namespace zarvel {
namespace {

using testing::HomeFixture;

class ReadConfigTest : public ::testing::Test {
 protected:
  // Reads [config] from a document over the shipped-like global file; returns the error text.
  std::string Read(std::string_view document) {
    ResetSettingsFiles(files_);
    files_.localName = fixture_.Document(document);
    try {
      OpenSettingsFiles(files_, trace_, fixture_.home);
      ReadConfig(files_, trace_, config_, portBase_);
    } catch (const BadThing& error) {
      return error.what();
    }
    return "";
  }

  HomeFixture fixture_;
  SettingsFiles files_;
  TraceState trace_;
  ConfigSettings config_;
  int32_t portBase_ = 0;
};

TEST_F(ReadConfigTest, ReadsEveryKeyFromTheGlobalFile) {
  ASSERT_EQ(Read(""), "");
  EXPECT_TRUE(config_.internalPower);
  EXPECT_EQ(portBase_, 0x378);
  EXPECT_EQ(config_.keyQueueSize, 16);
  EXPECT_EQ(config_.controllerAddress, 0x1F);
  EXPECT_EQ(config_.tickPeriod, std::chrono::milliseconds(10));
  EXPECT_FALSE(config_.drawDots);
  EXPECT_EQ(config_.keySimMethod, KeySimMethod::kNewest);
}

TEST_F(ReadConfigTest, DocumentValuesOverrideTheGlobalFile) {
  ASSERT_EQ(Read("[config]\nPort = 0x3BC\nKeySimMethod = OLD\nInternalPower = yes\n"
                 "TickFreq =\nDrawDots = True\n"),
            "");
  EXPECT_EQ(portBase_, 0x3BC);
  EXPECT_EQ(config_.keySimMethod, KeySimMethod::kOld);
  EXPECT_FALSE(config_.internalPower);
  EXPECT_EQ(config_.tickPeriod,
            std::chrono::milliseconds(10));  // Empty in the document: the global value applies.
  EXPECT_TRUE(config_.drawDots);
}

// The period is exact to the nanosecond, so no TickFreq runs at the rate of another: in whole
// milliseconds 600 ticks a second would run at 1000, 400 at 500, 60 at 62.5.
TEST_F(ReadConfigTest, WorksOutTheExactTickPeriod) {
  const std::pair<const char*, int64_t> cases[] = {
      {"1000", 1'000'000}, {"600", 1'666'666}, {"501", 1'996'007},  {"400", 2'500'000},
      {"60", 16'666'666},  {"3", 333'333'333}, {"1", 1'000'000'000}};
  for (const auto& [freq, period] : cases) {
    ASSERT_EQ(Read(std::string("[config]\nTickFreq = ") + freq + "\n"), "") << freq;
    EXPECT_EQ(config_.tickPeriod.count(), period) << freq;
  }
}

TEST_F(ReadConfigTest, ChoosesTheMethodWhateverTheLetterCase) {
  ASSERT_EQ(Read("[config]\nKeySimMethod = NEWEST   \n"), "");
  EXPECT_EQ(config_.keySimMethod, KeySimMethod::kNewest);
  ASSERT_EQ(Read("[config]\nKeySimMethod = nEw\n"), "");
  EXPECT_EQ(config_.keySimMethod, KeySimMethod::kNew);
  EXPECT_EQ(Read("[config]\nKeySimMethod = newer\n"),
            "\"newer\" is not a valid option for KeySimMethod.\n");
}

TEST_F(ReadConfigTest, PadReadAndPadDelayAreOptionalAndChecked) {
  ASSERT_EQ(Read("[config]\nPadRead = EACH\nPadDelay = 100\n"), "");
  EXPECT_EQ(config_.padRead, PadReadMethod::kEach);
  EXPECT_EQ(config_.padDelayUs, 100);
  // Absent, they fall back to reading together without a wait, not to the last execution's.
  ASSERT_EQ(Read(""), "");
  EXPECT_EQ(config_.padRead, PadReadMethod::kTogether);
  EXPECT_EQ(config_.padDelayUs, 0);
  EXPECT_EQ(Read("[config]\nPadRead = both\n"), "\"both\" is not a valid option for PadRead.\n");
  EXPECT_EQ(Read("[config]\nPadDelay = 101\n"),
            "\"PadDelay\" is out of range. Values should range from 0 to 100.\n");
  EXPECT_EQ(Read("[config]\nPadDelay = -1\n"),
            "\"PadDelay\" is out of range. Values should range from 0 to 100.\n");
}

TEST_F(ReadConfigTest, RefusesValuesOutOfRange) {
  EXPECT_EQ(Read("[config]\nTickFreq = 0\n"),
            "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n");
  EXPECT_EQ(Read("[config]\nTickFreq = 1001\n"),
            "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n");
  EXPECT_EQ(Read("[config]\n8042Addr = 20\n"),
            "\"8042Addr\" is out of range. Values should range from 0x00 to 0x1F.\n");
  EXPECT_EQ(Read("[config]\nKeyQueueSize = 1025\n"),
            "\"KeyQueueSize\" is out of range. Values should range from 1 to 1024.\n");
  // A ring of 0 bytes cannot hold a byte, so 0 is refused like any size out of range.
  EXPECT_EQ(Read("[config]\nKeyQueueSize = 0\n"),
            "\"KeyQueueSize\" is out of range. Values should range from 1 to 1024.\n");
  EXPECT_EQ(Read("[config]\nKeyQueueSize = 1\n"), "");
}

TEST_F(ReadConfigTest, RefusesHexadecimalValuesWithoutDigits) {
  ASSERT_EQ(Read("[config]\nPort = 3bc\n"), "");
  // Without the refusal the previous execution's port would silently stay in force.
  EXPECT_EQ(Read("[config]\nPort = lpt1\n"), "\"Port\" is not a hexadecimal number.\n");
  EXPECT_EQ(Read("[config]\n8042Addr = none\n"), "\"8042Addr\" is not a hexadecimal number.\n");
}

TEST_F(ReadConfigTest, ReportsTheFirstMissingRequiredKey) {
  fixture_.Global("[config]\nInternalPower = t\nPort = 378\n");
  EXPECT_EQ(Read("[config]\nKeySimMethod = new\n"),
            "Could not find item \"KeyQueueSize\" in section \"[config]\"\n");
}

}  // namespace
}  // namespace zarvel
