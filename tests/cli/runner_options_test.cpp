#include "cli/runner_options.h"

#include <gtest/gtest.h>

namespace zarvel {
namespace {

TEST(ParseRunnerOptions, ReadsEveryOptionInEitherForm) {
  const ParsedOptions parsed = ParseRunnerOptions(
      {"--home", "/h", "--ticks=5", "--fast", "--trace", "--monitor", "--no-realtime", "doc.ini"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->home, "/h");
  EXPECT_EQ(parsed.options->tickLimit, 5);
  EXPECT_TRUE(parsed.options->fast);
  EXPECT_TRUE(parsed.options->trace);
  EXPECT_TRUE(parsed.options->monitor);
  EXPECT_FALSE(parsed.options->realtime);
  EXPECT_TRUE(ParseRunnerOptions({"doc.ini"}).options->realtime);
  EXPECT_FALSE(parsed.options->tickTimes);
  const ParsedOptions timed = ParseRunnerOptions({"--tick-times", "doc.ini"});
  EXPECT_TRUE(timed.options->monitor && timed.options->tickTimes);
  EXPECT_EQ(parsed.options->configPath, "doc.ini");
}

TEST(ParseRunnerOptions, RefusesWhatItCannotUse) {
  EXPECT_EQ(ParseRunnerOptions({}).error, "no CONFIG.ini given");
  EXPECT_EQ(ParseRunnerOptions({"--loud", "doc.ini"}).error, "unknown option --loud");
  EXPECT_FALSE(ParseRunnerOptions({"--ticks", "0", "doc.ini"}).options);
  EXPECT_FALSE(ParseRunnerOptions({"--ticks", "5x", "doc.ini"}).options);
  EXPECT_FALSE(ParseRunnerOptions({"doc.ini", "--ticks"}).options);
  EXPECT_FALSE(ParseRunnerOptions({"a.ini", "b.ini"}).options);
  EXPECT_TRUE(ParseRunnerOptions({"--help"}).options);
}

}  // namespace
}  // namespace zarvel
