#include "check/button_assignment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/configuration_check.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

// The text after the assignment, or the error in its place.
std::string Assigned(std::string_view text, std::string_view header, std::string_view button,
                     int shiftState, std::string_view keyName) {
  const ButtonAssignment assignment = AssignButtonKey(text, header, button, shiftState, keyName);
  if (!assignment.edit) {
    return "error: " + assignment.error;
  }
  return ApplyTextEdit(text, *assignment.edit);
}

TEST(ButtonAssignmentTest, ReplacesOnlyTheStatesPlaceInTheLineAnExecutionReads) {
  const std::string text =
      "[config]\n"
      "a = q\n"
      "[SNES1]\n"
      "A  =  b ; lshift,a  \n"
      "a = twice\n"
      "[snes 2]\n"
      "x = v\n";
  // The header matches as the lookup matches it; the key keeps its spelling and the value its
  // blanks, except those before a ";", which the reader would take into the key name.
  EXPECT_EQ(Assigned(text, "[snes1]", "a", 0, "up"),
            "[config]\na = q\n[SNES1]\nA  =  up; lshift,a  \na = twice\n[snes 2]\nx = v\n");
  EXPECT_EQ(Assigned(text, "[snes1]", "a", 1, "kp5"),
            "[config]\na = q\n[SNES1]\nA  =  b ; kp5  \na = twice\n[snes 2]\nx = v\n");
  // The edit is the place alone, so the editor's Undo takes back just that.
  const ButtonAssignment assignment = AssignButtonKey(text, "[snes1]", "a", 1, "kp5");
  ASSERT_TRUE(assignment.edit);
  EXPECT_EQ(text.substr(assignment.edit->start, assignment.edit->length), "lshift,a");

  // An item of a later section is not this section's: the section gets one of its own.
  EXPECT_EQ(Assigned(text, "[snes1]", "x", 0, "z"),
            "[config]\na = q\n[SNES1]\nA  =  b ; lshift,a  \na = twice\nx = z\n[snes 2]\nx = v\n");
}

TEST(ButtonAssignmentTest, FillsTheStatesAValueLacksWithKeysThatSendNothing) {
  const std::string shifted = "[snes]\nNumShifts = 2\na = a; lshift,a\nb = b;c\nx =\n";
  EXPECT_EQ(Assigned(shifted, "[snes]", "a", 2, "1"),
            "[snes]\nNumShifts = 2\na = a; lshift,a; 1\nb = b;c\nx =\n");
  EXPECT_EQ(Assigned(shifted, "[snes]", "b", 3, "1"),
            "[snes]\nNumShifts = 2\na = a; lshift,a\nb = b;c;none;1\nx =\n");
  EXPECT_EQ(Assigned(shifted, "[snes]", "x", 1, "esc"),
            "[snes]\nNumShifts = 2\na = a; lshift,a\nb = b;c\nx = none; esc\n");
  EXPECT_EQ(Assigned(shifted, "[snes]", "y", 2, "esc"),
            "[snes]\nNumShifts = 2\na = a; lshift,a\nb = b;c\nx =\ny = none; none; esc\n");
}

TEST(ButtonAssignmentTest, AddsAMissingItemAfterTheSectionsLastLineInTheTextsLineEnding) {
  // Blank lines stay below the new item, and remarks set apart before the next section stay
  // with it.
  EXPECT_EQ(Assigned("[snes 1]\r\na = b\r\n; pad 1\r\n\r\n; pad 2\r\n[snes 2]\r\n", "[snes 1]",
                     "start", 0, "enter"),
            "[snes 1]\r\na = b\r\n; pad 1\r\nstart = enter\r\n\r\n; pad 2\r\n[snes 2]\r\n");
  // A last line without a line end gets one.
  EXPECT_EQ(Assigned("[nes 2]\r\nb = a", "[nes 2]", "a", 1, "b"),
            "[nes 2]\r\nb = a\r\na = none; b\r\n");
  EXPECT_EQ(Assigned("[nes]", "[nes]", "a", 0, "b"), "[nes]\na = b\n");
}

TEST(ButtonAssignmentTest, RefusesWhatCannotBeWritten) {
  EXPECT_EQ(Assigned("[snes 2]\na = b\n", "[snes 1]", "a", 0, "b"),
            "error: The section [snes 1] is not in this document.");
  EXPECT_EQ(Assigned("[snes 1]\n", "[snes 1]", "a", 0, "pulse b"),
            "error: \"pulse b\" cannot be written as a key name: it is empty or holds a blank, "
            "comma or semicolon.");
}

TEST(ButtonAssignmentTest, WritesWhatTheConfigurationCheckTakesWithoutAProblem) {
  testing::HomeFixture fixture;
  // Every button but x, each with a key for state 0 only.
  std::string original = "[snes]\nNumShifts = 2\nShifts = l, r\n" +
                         std::string(testing::kQuietButtons).substr(sizeof("NumShifts = 0"));
  original.erase(original.find("x = none\n"), sizeof("x = none"));
  std::string text = original;
  for (const auto& [button, state] :
       std::vector<std::pair<std::string, int>>{{"a", 2}, {"b", 0}, {"start", 1}, {"x", 2}}) {
    const ButtonAssignment assignment = AssignButtonKey(text, "[snes]", button, state, "a");
    ASSERT_TRUE(assignment.edit) << assignment.error;
    text = ApplyTextEdit(text, *assignment.edit);
  }
  EXPECT_NE(text.find("\na = none; none; a\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\nr = none\nx = none; none; a\n")) << text;
  EXPECT_TRUE(CheckConfiguration(fixture.Document(text), fixture.home).empty()) << text;
}

}  // namespace
}  // namespace zarvel
