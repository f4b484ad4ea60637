#include "app/zarvel_view.h"

#include <vector>

#include <wx/stc/stc.h>
#include <wx/uiaction.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/main_frame.h"
#include "app/zarvel_doc.h"

namespace zarvel::testing {
namespace {

using TextEditing = EditorTest;

TEST_F(TextEditing, UndoTakesBackTypingAndRedoPutsItBack) {
  const std::string path = Write("undo.ini", "[config]\r\n");
  ASSERT_TRUE(StartEditor(path));
  Text().DocumentEnd();
  Type("TickFreq = 100\n");
  // Enter goes on with the file's own line end.
  EXPECT_EQ(Text().GetText(), "[config]\r\nTickFreq = 100\r\n");
  EXPECT_TRUE(Document().IsModified());

  // Undo goes back to the text as loaded, which counts as unmodified; the load itself is not
  // undone.
  ASSERT_TRUE(Command(wxID_UNDO));
  Command(wxID_UNDO);
  Command(wxID_UNDO);
  EXPECT_EQ(Text().GetText(), "[config]\r\n");
  EXPECT_FALSE(Document().IsModified());

  Command(wxID_REDO);
  Command(wxID_REDO);
  EXPECT_EQ(Text().GetText(), "[config]\r\nTickFreq = 100\r\n");
  EXPECT_TRUE(Document().IsModified());

  // After a save, an Undo leaves the text unlike the file again.
  ASSERT_TRUE(Command(wxID_SAVE));
  EXPECT_FALSE(Document().IsModified());
  Command(wxID_UNDO);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_EQ(Read(path), "[config]\r\nTickFreq = 100\r\n");
}

TEST_F(TextEditing, CopyAndPasteKeepTheLineEndsAsTheyAre) {
  ASSERT_TRUE(StartEditor(Write("ends.ini", "a\r\nb\rc\n")));
  Text().SelectAll();
  ASSERT_TRUE(Command(wxID_COPY));
  Text().DocumentEnd();
  ASSERT_TRUE(Command(wxID_PASTE));
  EXPECT_EQ(Text().GetText(), "a\r\nb\rc\na\r\nb\rc\n");
}

TEST_F(TextEditing, TheMenusShortcutsAreNotTheTextsOwnCommands) {
  ASSERT_TRUE(StartEditor(Write("keys.ini", "[config]\nTickFreq = 100\n")));
  Text().GotoLine(1);
  // The control would swap the caret's line with the one above on Ctrl+T, the Stop command's
  // key; it leaves the key to the menus instead.
  wxKeyEvent stop(wxEVT_KEY_DOWN);
  stop.m_keyCode = 'T';
  stop.SetControlDown(true);
  stop.SetEventObject(&Text());
  Text().ProcessWindowEvent(stop);
  EXPECT_EQ(Text().GetText(), "[config]\nTickFreq = 100\n");
}

TEST_F(TextEditing, CompletionOffersTheKeyNamesOfTheHomesKeyFileAfterAnEqualsSign) {
  Write("zarvel-home/keys.cfg", "1e 9e alpha\n30 b0 bravo\n0 0 none\n");
  const std::string path = Write("pads.ini", "[config]\nTickFreq = 100\n\n[snes 1]\n");
  ASSERT_TRUE(StartEditor(path));
  Text().DocumentEnd();
  Type("a =");
  ASSERT_TRUE(Text().AutoCompActive());
  EXPECT_EQ(Text().AutoCompGetCurrentText(), "alpha");
  Type("b");
  ASSERT_TRUE(Text().AutoCompActive());
  EXPECT_EQ(Text().AutoCompGetCurrentText(), "bravo");
  Text().AutoCompComplete();
  EXPECT_TRUE(Text().GetText().EndsWith("[snes 1]\na =bravo"));
}

// Typed through the X server as a user types: Enter after a word that a name of the open list
// equals ends the line instead of accepting the name, so no line joins the next.
TEST_F(TextEditing, EnterAfterAWholeWordEndsTheLineWithTheListOpen) {
  Write("zarvel-home/keys.cfg", "0 0 up\n39 b9 space\n30 b0 b\n");
  const std::string path = Write("typed.ini", "");
  ASSERT_TRUE(StartEditor(path));
  Frame().Raise();
  Text().SetFocus();
  wxUIActionSimulator user;
  const wxRect text = Text().GetScreenRect();
  user.MouseMove(text.GetLeft() + text.GetWidth() / 2, text.GetTop() + text.GetHeight() / 2);
  user.MouseClick();
  const std::string typed = "[snes 1]\nup = up\na = space\nb = b\n";
  for (const char key : typed) {
    if (key == '\n') {
      user.Char(WXK_RETURN);
    } else {
      user.Char(key);
    }
    wxYield();
  }
  ASSERT_TRUE(PumpUntil([&] { return Text().GetText() == typed; }, std::chrono::seconds(3)))
      << Text().GetText();
  // The title says the text has changes until they are saved.
  EXPECT_EQ(Frame().GetLabel(), "*typed.ini - Zarvel");
  ASSERT_TRUE(Command(wxID_SAVE));
  EXPECT_EQ(Read(path), typed);
  EXPECT_EQ(Frame().GetLabel(), "typed.ini - Zarvel");
}

TEST_F(TextEditing, MarkLinesMarksOnlyTheLinesOfTheLastCallAndShowLineGoesThere) {
  ASSERT_TRUE(StartEditor(Write("marked.ini", kGoodDocument)));
  View().MarkLines({2, 4});
  View().MarkLines({3, 7});
  std::vector<int> marked;
  for (int line = 0; line < Text().GetLineCount(); ++line) {
    if (Text().MarkerGet(line) != 0) {
      marked.push_back(line + 1);
    }
  }
  EXPECT_EQ(marked, (std::vector<int>{3, 7}));
  // The mark shows in a margin of its own, one that the line numbers do not take.
  bool shown = false;
  for (int margin = 0; margin < Text().GetMarginCount(); ++margin) {
    shown = shown || (Text().GetMarginWidth(margin) > 0 &&
                      Text().GetMarginType(margin) == wxSTC_MARGIN_SYMBOL &&
                      (Text().GetMarginMask(margin) & Text().MarkerGet(2)) != 0);
  }
  EXPECT_TRUE(shown);

  View().ShowLine(7);
  EXPECT_EQ(Text().GetCurrentPos(), Text().PositionFromLine(6));
  View().ClearLineMarks();
  EXPECT_EQ(Text().MarkerGet(2), 0);
}

TEST_F(TextEditing, FindNextSelectsTheNextMatchAndWrapsRound) {
  ASSERT_TRUE(StartEditor(Write("find.ini", "[snes]\nb = none\ny = NONE\n")));
  View().FindData().SetFindString("none");
  View().FindData().SetFlags(wxFR_DOWN);
  Command(kFindNextId);
  EXPECT_EQ(Text().GetSelectedText(), "none");
  Command(kFindNextId);
  EXPECT_EQ(Text().GetSelectedText(), "NONE");
  Command(kFindNextId);
  EXPECT_EQ(Text().GetSelectionStart(), 11);
  // With the case to match, the second is no match; nothing found leaves a word in the status
  // bar.
  View().FindData().SetFlags(wxFR_DOWN | wxFR_MATCHCASE);
  View().FindData().SetFindString("NONE!");
  EXPECT_FALSE(View().FindNext());
  EXPECT_EQ(Pane(kMessagePane), "Cannot find the string \"NONE!\".");
}

}  // namespace
}  // namespace zarvel::testing
