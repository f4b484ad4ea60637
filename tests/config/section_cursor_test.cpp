#include "config/section_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarvel {
namespace {

struct Header {
  std::string text;
  int32_t number;
  bool operator==(const Header&) const = default;
};

std::vector<Header> HeaderRun(int32_t start, int count) {
  SectionCursor cursor;
  std::vector<Header> headers;
  std::string header;
  int32_t number = NextSectionName("snes", start, cursor, header);
  headers.push_back({header, number});
  for (int i = 1; i < count; ++i) {
    number = NextSectionName("snes", kSectionRunContinue, cursor, header);
    headers.push_back({header, number});
  }
  return headers;
}

TEST(NextSectionName, WholeRunNumbersEachSectionThreeWays) {
  const std::vector<Header> expected = {{"[snes]", 1},  {"[snes1]", 1},  {"[snes 1]", 1},
                                        {"[snes2]", 2}, {"[snes 2]", 2}, {"[snes3]", 3}};
  EXPECT_EQ(HeaderRun(kSectionRunFromStart, 6), expected);
}

TEST(NextSectionName, RunFromANumberStartsAtThatSection) {
  const std::vector<Header> expected = {
      {"[snes]", 3}, {"[snes3]", 3}, {"[snes 3]", 3}, {"[snes4]", 4}};
  EXPECT_EQ(HeaderRun(3, 4), expected);
}

TEST(NextSectionName, StartingAgainResetsTheCursor) {
  SectionCursor cursor;
  std::string header;
  NextSectionName("nes", 2, cursor, header);
  NextSectionName("nes", kSectionRunContinue, cursor, header);
  NextSectionName("nes", kSectionRunContinue, cursor, header);  // [nes 2]: advance is pending.
  EXPECT_EQ(NextSectionName("nes", kSectionRunFromStart, cursor, header), 1);
  EXPECT_EQ(header, "[nes]");
  EXPECT_EQ(NextSectionName("nes", kSectionRunContinue, cursor, header), 1);
  EXPECT_EQ(header, "[nes1]");
}

}  // namespace
}  // namespace zarvel
