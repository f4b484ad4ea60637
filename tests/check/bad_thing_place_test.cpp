#include "check/bad_thing_place.h"

#include <gtest/gtest.h>

#include <string>

#include "check/configuration_check.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

using testing::HomeFixture;
using testing::WithQuietButtons;

// Each document stops its execution with a message of another kind, at the line given. The
// messages are the executions' own, so a message whose wording changes fails here.
TEST(BadThingPlaceTest, LineNamedByFindsTheItemButtonKeyOrSectionEachMessageNames) {
  struct Case {
    std::string document;
    int line;
  };
  // One byte more than a button's entry holds.
  std::string tooManyBytes = "b = a";
  for (int i = 0; i < 16; ++i) {
    tooManyBytes += ",a";
  }
  tooManyBytes += "\n";
  const Case cases[] = {
      {"[config]\n[snes]\nNumShifts = 0\nb = none\n", 1},  // The item a section lacks.
      {WithQuietButtons("[snes]\nb = none\ny = a, f1\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 9\n"), 2},
      {WithQuietButtons("[snes]\nRepeatRate = 50\n"), 2},
      {WithQuietButtons("[snes]\nNumShifts = 0\nb = repeat(30) a\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 0\nb = a; a\n"), 3},
      {WithQuietButtons("[snes]\nNumShifts = 1\nShifts = q\n"), 3},
      {WithQuietButtons("[snes]\n" + tooManyBytes), 2},
      {WithQuietButtons("[config]\nKeySimMethod = newer\n[snes]\n"), 2},
      {WithQuietButtons("[config]\nPort = zz\n[snes]\n"), 2},
      {WithQuietButtons("[snes]\n[snes1]\n[snes 1]\n[snes2]\n[snes 2]\n[snes3]\n[snes 3]\n"
                        "[snes4]\n[snes 4]\n[snes5]\n"),
       10},  // The pad one too many.
  };
  HomeFixture fixture;
  for (const Case& check : cases) {
    const std::string path = fixture.Document(check.document);
    const std::vector<Problem> problems = CheckConfiguration(path, fixture.home);
    ASSERT_FALSE(problems.empty()) << check.document;
    ASSERT_TRUE(problems.front().error) << check.document;
    const std::string& message = problems.front().message;
    EXPECT_EQ(LineNamedBy(check.document, message), check.line) << message;
    EXPECT_EQ(problems.front().line, check.line) << message;
  }

  // A message about keys.cfg names nothing in the document.
  fixture.dir.Write("home/keys.cfg", "1e 9e a\nzz 0 none\n");
  const std::string path = fixture.Document(WithQuietButtons("[snes]\n"));
  const std::vector<Problem> problems = CheckConfiguration(path, fixture.home);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems.front().file, fixture.home + "keys.cfg");
  EXPECT_EQ(problems.front().line, 2);
  EXPECT_EQ(LineNamedBy(WithQuietButtons("[snes]\n"), problems.front().message), std::nullopt);
}

}  // namespace
}  // namespace zarvel
