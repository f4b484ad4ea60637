#include <wx/stc/stc.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/main_frame.h"
#include "app/problem_list.h"
#include "app/zarvel_doc.h"
#include "support/quiet_buttons.h"

namespace zarvel::testing {
namespace {

using CheckCommand = EditorTest;

// The lines of the text that carry a mark in the margin, from 1.
std::vector<int> MarkedLines(wxStyledTextCtrl& text) {
  std::vector<int> lines;
  for (int line = 0; line < text.GetLineCount(); ++line) {
    if (text.MarkerGet(line) != 0) {
      lines.push_back(line + 1);
    }
  }
  return lines;
}

TEST_F(CheckCommand, ListsAndMarksTheProblemsOfTheTextAsShownAndGoesToTheOneChosen) {
  const std::string path = Write("pads.ini", WithQuietButtons("[snes]\n"));
  ASSERT_TRUE(StartEditor(path));
  // Four faults typed and not saved: a key keys.cfg lacks, a misspelled setting, a button given
  // twice, and a pad number Zarvel never looks for.
  Text().SetText("[config]\nTickFrq = 50\n[snes]\na = nosuchkey\n" + std::string(kQuietButtons) +
                 "[snes 6]\n");
  ASSERT_TRUE(Command(kCheckId));

  ProblemList& problems = Frame().Problems();
  ASSERT_TRUE(problems.IsShown());
  ASSERT_EQ(problems.GetItemCount(), 4);
  EXPECT_EQ(problems.GetItemText(0, 0), "4");
  EXPECT_TRUE(problems.GetItemText(0, 1).Contains("\"nosuchkey\""));
  EXPECT_EQ(problems.GetItemText(0, 2), "pads.ini");
  EXPECT_EQ(problems.GetItemText(1, 0), "2");
  EXPECT_EQ(problems.GetItemText(2, 0), "15");
  EXPECT_EQ(problems.GetItemText(3, 0), "19");
  EXPECT_EQ(MarkedLines(Text()), (std::vector<int>{2, 4, 15, 19}));
  EXPECT_TRUE(PumpUntil([&] { return Pane(kMessagePane).Contains("4 problems"); }));
  // The file on the disk is what was saved.
  EXPECT_EQ(Read(path), WithQuietButtons("[snes]\n"));

  problems.SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  EXPECT_EQ(Text().GetCurrentLine(), 1);

  // Once the faults are mended, the list and the marks go.
  Text().SetText(WithQuietButtons("[snes]\n"));
  ASSERT_TRUE(Command(kCheckId));
  EXPECT_FALSE(problems.IsShown());
  EXPECT_TRUE(MarkedLines(Text()).empty());
}

TEST_F(CheckCommand, AnExecutionsBadThingMarksTheLineItNames) {
  ASSERT_TRUE(StartEditor(Write("bad.ini", kBadDocument)));
  prompts_->dismissSoon = true;
  Command(kExecuteId);
  ASSERT_TRUE(PumpUntil([&] { return !MarkedLines(Text()).empty(); }));
  EXPECT_EQ(MarkedLines(Text()), std::vector<int>{2});
  ASSERT_EQ(Frame().Problems().GetItemCount(), 1);
  EXPECT_EQ(Frame().Problems().GetItemText(0, 0), "2");
}

}  // namespace
}  // namespace zarvel::testing
