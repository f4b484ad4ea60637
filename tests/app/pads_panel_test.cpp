#include "app/pads_panel.h"

#include <fstream>
#include <iterator>

#include <wx/frame.h>
#include <wx/stc/stc.h>
#include <wx/uiaction.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/editor_texts.h"
#include "app/key_log.h"
#include "app/main_frame.h"
#include "app/pad_picture.h"
#include "app/pad_shape.h"
#include "hardware/game_pads.h"

namespace zarvel::testing {
namespace {

// The shipped example of two players in the editor, and what a user does with the Pads panel.
class PadsPanelUse : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    std::ifstream in(ZARVEL_SOURCE_DIR "/examples/two_players.ini", std::ios::binary);
    example_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_FALSE(example_.empty());
    ASSERT_TRUE(StartEditor(Write("two_players.ini", example_)));
    Frame().Raise();
  }

  PadsPanel& Pads() { return Frame().Pads(); }
  bool Logged(const wxString& line) { return Pads().Log().FindString(line) != wxNOT_FOUND; }
  int Lit() {
    int lit = 0;
    for (int pad = 0; pad < Pads().PadCount(); ++pad) {
      lit += Pads().Picture(pad).Reading().pressed != 0 || Pads().Picture(pad).HeldByHand() != 0;
    }
    return lit;
  }

  // Puts the mouse over a button of a pad's picture, as the user would.
  void PointAt(wxUIActionSimulator& user, int pad, const std::string& button) {
    PadPicture& picture = Pads().Picture(pad);
    const wxPoint at = picture.ClientToScreen(picture.ButtonCentre(button));
    user.MouseMove(at);
    PumpFor(std::chrono::milliseconds(50));
  }
  // Clicks a control of the panel by its label.
  void ClickControl(wxUIActionSimulator& user, const wxString& label) {
    wxWindow* control = wxWindow::FindWindowByLabel(label, &Pads());
    ASSERT_NE(control, nullptr) << label;
    user.MouseMove(control->GetScreenRect().GetPosition() + control->GetSize() / 2);
    PumpFor(std::chrono::milliseconds(50));
    user.MouseClick();
    PumpFor(std::chrono::milliseconds(100));
  }

  std::string example_;
};

// The same, executed on the simulated PC, its pads idle.
class PadsPanelTest : public PadsPanelUse {
 protected:
  void SetUp() override {
    PadsPanelUse::SetUp();
    Command(kExecuteId);
    ASSERT_TRUE(PumpUntil([&] { return Pads().ShowsExecution() && Pads().PadCount() == 2; }));
  }
  void TearDown() override {
    Command(kStopId);
    PadsPanelUse::TearDown();
  }
};

TEST_F(PadsPanelTest, AButtonHeldWithTheMouseIsLitAndTypesItsKeyUntilLetGo) {
  EXPECT_EQ(Pads().Picture(0).Layout().header, "[snes 1]");
  EXPECT_EQ(Pads().Picture(1).Layout().header, "[nes 2]");
  PadPicture& picture = Pads().Picture(0);
  const int a = picture.Layout().ButtonIndex("a");
  wxUIActionSimulator user;
  PointAt(user, 0, "a");
  user.MouseDown();
  EXPECT_TRUE(PumpUntil(
      [&] { return Logged("space pressed by a of [snes 1]") && picture.Reading().Pressed(a); }));
  EXPECT_FALSE(Logged("space released by a of [snes 1]"));
  user.MouseUp();
  EXPECT_TRUE(PumpUntil(
      [&] { return Logged("space released by a of [snes 1]") && !picture.Reading().Pressed(a); }));

  // A click with Shift latches the button until the next click.
  PointAt(user, 1, "select");
  const int select = Pads().Picture(1).Layout().ButtonIndex("select");
  user.KeyDown(WXK_SHIFT);
  user.MouseClick();
  user.KeyUp(WXK_SHIFT);
  EXPECT_TRUE(PumpUntil([&] { return Pads().Picture(1).Reading().Pressed(select); }));
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_TRUE(Pads().Picture(1).Reading().Pressed(select));
  EXPECT_TRUE(Logged("backspace pressed by select of [nes 2]"));
  EXPECT_FALSE(Logged("backspace released by select of [nes 2]"));
  user.MouseClick();  // The next click lets it go.
  EXPECT_TRUE(PumpUntil([&] { return Logged("backspace released by select of [nes 2]"); }));

  // A click quicker than a tick still presses the button, for one tick.
  PointAt(user, 1, "start");
  user.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return Logged("kpenter released by start of [nes 2]"); }));
  EXPECT_TRUE(Logged("kpenter pressed by start of [nes 2]"));
}

TEST_F(PadsPanelTest, AssignWritesTheKeyPressedForTheButtonChosenAsOneUndoStep) {
  const wxString before = Text().GetText();
  Pads().SetAssigning(true);
  wxUIActionSimulator user;
  PointAt(user, 0, "l");
  user.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return Pads().Chosen().has_value(); }));
  user.Char('k');
  ASSERT_TRUE(PumpUntil([&] { return !Pads().Chosen().has_value(); }));
  wxString expected = before;
  expected.Replace("\nl = 1\n", "\nl = k\n");
  EXPECT_EQ(Text().GetText(), expected);
  // No key pressed for Assign reaches the text.
  Command(wxID_UNDO);
  EXPECT_EQ(Text().GetText(), before);
}

// Before any execution the panel shows the document's pads, each button labelled with its key and
// its tooltip its definition; Assign chooses on them, a second click or Cancel lets a button go,
// and the hint above the pictures never moves them. Another document brings its own pads.
TEST_F(PadsPanelUse, TheDocumentsPadsAreShownAndAssignedBeforeAnyExecution) {
  ASSERT_TRUE(PumpUntil([&] { return Pads().PadCount() == 2; }));
  EXPECT_FALSE(Pads().ShowsExecution());
  EXPECT_EQ(Pads().Source(), "Pads of two_players.ini");
  PadPicture& snes = Pads().Picture(0);
  EXPECT_EQ(snes.Layout().header, "[snes 1]");
  EXPECT_EQ(snes.Layout().KeyLabel(snes.Layout().ButtonIndex("a"), 0), "space");
  wxUIActionSimulator user;
  PointAt(user, 1, "b");
  EXPECT_TRUE(PumpUntil([&] {
    return Pads().Picture(1).GetToolTipText() == "b = repeat(17) rshift";
  })) << Pads().Picture(1).GetToolTipText();

  const int picturesTop = Pads().PicturesTop();
  ClickControl(user, kAssignLabel);
  ASSERT_TRUE(Pads().Assigning());
  PointAt(user, 0, "y");
  user.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return Pads().Chosen().has_value(); }));
  EXPECT_EQ(Pads().PicturesTop(), picturesTop);
  user.MouseClick();  // The second click lets it go.
  ASSERT_TRUE(PumpUntil([&] { return !Pads().Chosen().has_value(); }));
  PointAt(user, 0, "r");
  user.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return Pads().Chosen().has_value(); }));
  ClickControl(user, kCancelLabel);
  EXPECT_FALSE(Pads().Chosen().has_value());
  EXPECT_EQ(Text().GetText(), wxString(example_));

  PointAt(user, 0, "l");
  user.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return Pads().Chosen().has_value(); }));
  user.Char('k');
  ASSERT_TRUE(PumpUntil([&] { return !Pads().Chosen().has_value(); }));
  EXPECT_NE(Text().GetText().Find("\nl = k\n"), wxNOT_FOUND);
  EXPECT_EQ(Pads().PicturesTop(), picturesTop);
  // The picture follows the text: l now types k.
  EXPECT_TRUE(
      PumpUntil([&] { return snes.Layout().KeyLabel(snes.Layout().ButtonIndex("l"), 0) == "k"; }));

  ASSERT_TRUE(Command(wxID_SAVE));
  ASSERT_TRUE(Open(Write("one.ini", "[nes]\na = b\n")));
  ASSERT_TRUE(PumpUntil([&] { return Pads().Source() == "Pads of one.ini"; }));
  ASSERT_EQ(Pads().PadCount(), 1);
  EXPECT_EQ(Pads().Picture(0).Layout().header, "[nes]");
  EXPECT_FALSE(Pads().Chosen().has_value());
  ASSERT_TRUE(Command(wxID_NEW));
  ASSERT_TRUE(PumpUntil([&] { return Pads().Source() == "Pads of Untitled"; }));
  EXPECT_EQ(Pads().PadCount(), 0);
  EXPECT_FALSE(Pads().Assigning());
  EXPECT_FALSE(wxWindow::FindWindowByLabel(kAssignLabel, &Pads())->IsEnabled());
}

// A repeating button's keys take one line, each line names its button, the log can be emptied,
// and once the execution has stopped no button stays lit or held.
TEST_F(PadsPanelTest, KeysSentNameTheirButtonsAndNothingStaysLitAfterStop) {
  EXPECT_EQ(Pads().Source(), "Executing two_players.ini");
  wxUIActionSimulator user;
  PointAt(user, 1, "b");
  user.KeyDown(WXK_SHIFT);
  user.MouseClick();
  user.KeyUp(WXK_SHIFT);
  EXPECT_TRUE(
      PumpUntil([&] { return Logged(wxString::FromUTF8("rshift \u00d75 by b of [nes 2]")); }));
  EXPECT_LT(Pads().Log().GetCount(), 5u);
  ClickControl(user, kClearLabel);
  // The button goes on repeating: its line, and perhaps a release before it.
  PumpFor(std::chrono::milliseconds(300));
  EXPECT_FALSE(Logged("-- execution with 2 pads --"));
  EXPECT_LE(Pads().Log().GetCount(), 2u);

  // The keyboard reaches the pictures with Tab and Shift+Tab from the panel's buttons, one pad
  // after the other; the arrows move the focus over a picture's buttons, Space presses.
  PadPicture& snes = Pads().Picture(0);
  PadPicture& nes = Pads().Picture(1);
  wxWindow* clearButton = wxWindow::FindWindowByLabel(kClearLabel, &Pads());
  ASSERT_TRUE(PumpUntil([&] { return clearButton->HasFocus(); }));
  user.Char(WXK_TAB, wxMOD_SHIFT);
  ASSERT_TRUE(PumpUntil([&] { return nes.HasFocus(); }));
  user.Char(WXK_TAB, wxMOD_SHIFT);
  ASSERT_TRUE(PumpUntil([&] { return snes.HasFocus(); }));
  user.Char(WXK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return nes.HasFocus(); }));
  user.Char(WXK_TAB, wxMOD_SHIFT);
  ASSERT_TRUE(PumpUntil([&] { return snes.HasFocus(); }));
  const int first = snes.FocusedButton();
  user.Char(WXK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return snes.FocusedButton() != first; }));
  const int focused = snes.FocusedButton();
  user.KeyDown(WXK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return snes.Reading().Pressed(focused); }));
  user.KeyUp(WXK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return !snes.Reading().Pressed(focused); }));

  Command(kStopId);
  EXPECT_TRUE(PumpUntil([&] { return Lit() == 0; }));
  EXPECT_EQ(Pads().Hint(), kExecutionEndedHint);
}

TEST(PadsPanel, InAssignAButtonPressedOnARealPadIsChosenWithTheShiftStateItWasPressedIn) {
  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "pads");
  TickSnapshot snapshot;
  auto* panel = new PadsPanel(frame, snapshot, {}, [] { return true; });
  PadLayout layout;
  layout.header = "[nes 1]";
  layout.kind = "nes";
  layout.buttonNames = {"a", "b", "select", "start", "up", "down", "left", "right"};
  layout.shiftButtons = {"toggle select"};
  panel->ShowPads({layout}, false, 0);
  panel->SetAssigning(true);

  std::array<ControlPad, 1> pads{};
  pads[0].buttonCount = 8;
  pads[0].shift = 1;
  pads[0].raw[2] = 1;  // Held since before Assign: no choice.
  snapshot.PublishPads(1, pads);
  panel->Look();
  EXPECT_FALSE(panel->Chosen());
  pads[0].raw[5] = 1;
  snapshot.PublishPads(2, pads);
  panel->Look();
  ASSERT_TRUE(panel->Chosen());
  EXPECT_EQ(panel->Chosen()->button, 5);
  EXPECT_EQ(panel->Chosen()->state, 1);
  EXPECT_TRUE(panel->Picture(0).Reading().Pressed(5));
  // A state chosen in the panel wins over the one the pad is in.
  panel->CancelChoice();
  panel->SetAssignState(0);
  pads[0].raw[6] = 1;
  snapshot.PublishPads(3, pads);
  panel->Look();
  ASSERT_TRUE(panel->Chosen());
  EXPECT_EQ(panel->Chosen()->button, 6);
  EXPECT_EQ(panel->Chosen()->state, 0);
  // The panel reads the snapshot on its timer: it goes now, before the snapshot, while the
  // frame's own end waits for the next idle pass.
  panel->Destroy();
  frame->Destroy();
}

// The snapshot still holds the last pads of the execution before when the next one's pads are
// shown; they are not this execution's, so a button held from its first tick on is no press.
TEST(PadsPanel, InAssignTheLastPadsOfTheExecutionBeforeAreNotThisOnes) {
  wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "pads");
  TickSnapshot snapshot;
  auto* panel = new PadsPanel(frame, snapshot, {}, [] { return true; });
  PadLayout layout;
  layout.header = "[nes 1]";
  layout.kind = "nes";
  layout.buttonNames = {"a", "b", "select", "start", "up", "down", "left", "right"};
  std::array<ControlPad, 1> pads{};
  pads[0].buttonCount = 8;

  snapshot.BeginExecution(1);
  panel->ShowPads({layout}, false, 1);
  snapshot.PublishPads(500, pads);
  panel->Look();

  // The next execution's pads are shown before its first tick; select is held from that tick on.
  snapshot.BeginExecution(2);
  panel->ShowPads({layout}, false, 2);
  panel->SetAssigning(true);
  panel->Look();
  pads[0].raw[2] = 1;
  snapshot.PublishPads(1, pads);
  panel->Look();
  EXPECT_FALSE(panel->Chosen());
  EXPECT_TRUE(panel->Picture(0).Reading().Pressed(2));
  // The panel reads the snapshot on its timer: it goes now, before the snapshot, while the
  // frame's own end waits for the next idle pass.
  panel->Destroy();
  frame->Destroy();
}

// Every button of the PlayStation pad, the Genesis pad and the Atari stick is drawn where a click
// finds it, and a press of it on a real pad is the one Assign chooses.
TEST(PadsPanel, InAssignEveryButtonOfTheNewKindsIsDrawnAndChosenByItsPress) {
  struct Kind {
    const char* name;
    std::vector<std::string> buttons;
  };
  const Kind kinds[] = {
      {"psx", {kPsxButtonOrder.begin(), kPsxButtonOrder.end()}},
      {"genesis", {kGenesisButtonOrder.begin(), kGenesisButtonOrder.end()}},
      {"atari", {kAtariButtonOrder.begin(), kAtariButtonOrder.end()}},
  };
  for (const Kind& kind : kinds) {
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "pads");
    TickSnapshot snapshot;
    auto* panel = new PadsPanel(frame, snapshot, {}, [] { return true; });
    PadLayout layout;
    layout.header = std::string("[") + kind.name + " 1]";
    layout.kind = kind.name;
    layout.buttonNames = kind.buttons;
    panel->ShowPads({layout}, false, 0);
    std::array<ControlPad, 1> pads{};
    pads[0].buttonCount = static_cast<int16_t>(kind.buttons.size());
    int64_t tick = 0;
    for (size_t i = 0; i < kind.buttons.size(); ++i) {
      const PadShape& shape = PadShape::OfKind(kind.name);
      const ButtonShape* drawn = shape.Button(kind.buttons[i]);
      ASSERT_NE(drawn, nullptr) << kind.name << " " << kind.buttons[i];
      const wxPoint centre(drawn->place.x + drawn->place.width / 2,
                           drawn->place.y + drawn->place.height / 2);
      for (const ButtonShape& other : shape.buttons) {
        EXPECT_TRUE(&other == drawn || !other.place.Contains(centre))
            << kind.buttons[i] << " under " << other.name;
      }
      panel->SetAssigning(true);
      pads[0].raw = {};
      snapshot.PublishPads(++tick, pads);
      panel->Look();
      pads[0].raw[i] = 1;
      snapshot.PublishPads(++tick, pads);
      panel->Look();
      ASSERT_TRUE(panel->Chosen()) << kind.name << " " << kind.buttons[i];
      EXPECT_EQ(panel->Chosen()->button, static_cast<int>(i)) << kind.name;
      panel->SetAssigning(false);
    }
    // The panel reads the snapshot on its timer: it goes now, before the snapshot, while the
    // frame's own end waits for the next idle pass.
    panel->Destroy();
    frame->Destroy();
  }
}

}  // namespace
}  // namespace zarvel::testing
