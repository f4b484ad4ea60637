#include "app/main_frame.h"

#include <linux/input-event-codes.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <thread>

#include <wx/menu.h>
#include <wx/stc/stc.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/key_log.h"
#include "app/pad_picture.h"
#include "app/pads_panel.h"
#include "app/problem_list.h"
#include "app/zarvel_app.h"
#include "app/zarvel_doc.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"
#include "support/pad_behind_device.h"
#include "support/quiet_buttons.h"

namespace zarvel::testing {
namespace {

constexpr char kNeverSavedText[] =
    "The current file has never been saved. You must save it before execution.";
constexpr char kMustSaveText[] =
    "The current file has been modified and must be saved before execution.\n"
    "Do you wish to save and continue?";

class ExecuteCommand : public EditorTest {
 protected:
  // Starts the editor on a configuration file of the given name and text.
  std::string StartOn(const std::string& name, const std::string& text) {
    const std::string path = Write(name, text);
    EXPECT_TRUE(StartEditor(path));
    return path;
  }

  bool Running() { return Frame().Run().finished == 0; }

  // The indicator as the next idle pass leaves it.
  wxString Indicator() {
    Idle();
    return Pane(kExecutionPane);
  }
};

TEST_F(ExecuteCommand, RefusesADocumentThatWasNeverSaved) {
  ASSERT_TRUE(StartEditor());
  Text().AppendText(kGoodDocument);
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].text, kNeverSavedText);
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_EQ(prompts_->shown[0].style, wxOK | wxICON_EXCLAMATION);
  EXPECT_TRUE(prompts_->shown[0].owned);
  EXPECT_FALSE(Running());
  EXPECT_EQ(Indicator(), "Inactive");
}

TEST_F(ExecuteCommand, RefusesOnlyATitleOfExactlyUntitled) {
  StartOn("Untitled", kGoodDocument);
  EXPECT_EQ(Document().GetUserReadableName(), "Untitled");
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].text, kNeverSavedText);
  EXPECT_FALSE(Running());

  ASSERT_TRUE(Open(Write("untitled", kGoodDocument)));
  Command(kExecuteId);
  EXPECT_EQ(prompts_->shown.size(), 1u);
  EXPECT_TRUE(Running());
  EXPECT_EQ(Indicator(), "  Active");
}

TEST_F(ExecuteCommand, AModifiedDocumentAnsweredNoIsNeitherSavedNorExecuted) {
  const std::string path = StartOn("pads.ini", kGoodDocument);
  Text().AppendText("RepeatRate = 5\n");
  prompts_->answers.push_back(wxNO);
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].text, kMustSaveText);
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_EQ(prompts_->shown[0].style, wxYES_NO | wxICON_EXCLAMATION);
  EXPECT_EQ(Read(path), kGoodDocument);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_FALSE(Running());
}

TEST_F(ExecuteCommand, AModifiedDocumentAnsweredYesIsSavedAndExecuted) {
  const std::string path = StartOn("pads.ini", kGoodDocument);
  Text().AppendText("RepeatRate = 5\n");
  prompts_->answers.push_back(wxYES);
  Command(kExecuteId);
  EXPECT_EQ(Read(path), std::string(kGoodDocument) + "RepeatRate = 5\n");
  EXPECT_FALSE(Document().IsModified());
  EXPECT_TRUE(Running());
  EXPECT_EQ(Frame().Run().path, path);
}

TEST_F(ExecuteCommand, RunsFromTheDocumentsDirectoryUntilStopped) {
  const std::string path = StartOn("configs/pads.ini", kGoodDocument);
  Command(kExecuteId);
  EXPECT_TRUE(prompts_->shown.empty());
  EXPECT_TRUE(Running());
  EXPECT_EQ(Indicator(), "  Active");
  // The process keeps its current directory; the execution has the document's full path.
  EXPECT_NE(std::filesystem::current_path(), dir_.Path() / "configs");
  EXPECT_EQ(Frame().Run().path, path);
  // The home directory is made with the default files on first use.
  EXPECT_TRUE(std::filesystem::exists(HomeDir() + "zarvel.ini"));
  EXPECT_TRUE(std::filesystem::exists(HomeDir() + "circuits.ini"));

  // The execution keeps ticking until Stop, which returns once it has ended.
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_TRUE(Running());
  Command(kStopId);
  EXPECT_FALSE(Running());
  EXPECT_EQ(Frame().Run().running, 0);
  EXPECT_EQ(Indicator(), "Inactive");
  EXPECT_TRUE(prompts_->shown.empty());

  // Stop with nothing running does nothing.
  Command(kStopId);
  EXPECT_FALSE(Running());
}

TEST_F(ExecuteCommand, TheTextHasTheKeyboardAgainAfterEveryWait) {
  // What the user types goes into a comment at the end; each Execute saves it first.
  StartOn("pads.ini", std::string(kGoodDocument) + ";");
  Text().DocumentEnd();
  prompts_->answers = {wxYES, wxYES};
  Frame().Raise();
  wxUIActionSimulator user;
  const wxRect text = Text().GetScreenRect();
  user.MouseMove(text.GetLeft() + text.GetWidth() / 2, text.GetTop() + text.GetHeight() / 2);
  const auto typed = [&](char key) {
    user.Char(key);
    return PumpUntil([&] { return Text().GetValue().Contains(wxString(key)); },
                     std::chrono::seconds(2));
  };
  ASSERT_TRUE(typed('a'));
  // The menus' keys reach the menus while the text has the keyboard.
  user.Char('E', wxMOD_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return Running(); }, std::chrono::seconds(2)));
  EXPECT_TRUE(typed('b'));
  Command(kExecuteId);  // Waits for the first execution to end before the next starts.
  EXPECT_TRUE(typed('c'));
  user.Char('T', wxMOD_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }, std::chrono::seconds(2)));
  EXPECT_TRUE(typed('d'));
}

TEST_F(ExecuteCommand, ADocumentNamedByARelativePathRunsFromItsFullPath) {
  const std::string path = Write("configs/pads.ini", kGoodDocument);
  std::filesystem::current_path(dir_.Path());
  ASSERT_TRUE(StartEditor("configs/pads.ini"));
  EXPECT_EQ(Document().GetFilename(), path);
  Command(kExecuteId);
  EXPECT_EQ(Frame().Run().path, path);
  // Once configured, the execution is still running: it found its document.
  PumpFor(std::chrono::milliseconds(200));
  EXPECT_TRUE(prompts_->shown.empty());
  EXPECT_TRUE(Running());
}

TEST_F(ExecuteCommand, ExecuteWhileRunningRestartsWithTheCurrentDocument) {
  StartOn("pads.ini", kGoodDocument);
  Command(kExecuteId);
  ASSERT_TRUE(Running());
  Command(kExecuteId);
  EXPECT_TRUE(Running());
  EXPECT_EQ(Indicator(), "  Active");

  // The new execution reads the document as it is now: this one has an error in it. The
  // execution being replaced may still be reading the document while it is saved, and report
  // what it found; such a box is closed as the user would close it.
  Text().SetText(kBadDocument);
  prompts_->answers.push_back(wxYES);
  prompts_->dismissSoon = true;
  Command(kExecuteId);
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }));
  ASSERT_FALSE(prompts_->shown.empty());
  EXPECT_EQ(prompts_->shown.back().text, kBadDocumentMessage);
}

TEST_F(ExecuteCommand, StopLetsGoOfHeldKeysTheKeyboardAndThePortBeforeItReturns) {
  FakeSystemCalls calls;
  FakeEvdevCalls evdev;
  calls.MakeFile("/dev/parport0");
  calls.MakeFile("/dev/uinput");
  PadBehindDevice pad(Holding(SimButton::kL));
  calls.simulatedPort = &pad.port;
  wxGetApp().SetHardwareOptions({"ppdev", "uinput"});
  wxGetApp().SetSystemAccess({&calls, &evdev});
  StartOn("pads.ini", "[config]\nTickFreq = 1000\n[snes]\nl = a\n" + std::string(kQuietButtons));

  Command(kExecuteId);
  // The pad holds l, which types a: wait until a is down on the virtual keyboard.
  ASSERT_TRUE(PumpUntil([&] { return evdev.written >= 2; }));
  // The Pads panel shows what the real port reads and the key that went to the desktop.
  PadsPanel& pads = Frame().Pads();
  EXPECT_TRUE(PumpUntil([&] {
    return pads.PadCount() == 1 && pads.Picture(0).Reading().Pressed(10) &&  // l
           pads.Log().FindString("a pressed by l of [snes]") != wxNOT_FOUND;
  }));
  Command(kStopId);
  EXPECT_FALSE(Running());
  ASSERT_GE(evdev.events.size(), 4u);
  EXPECT_EQ(evdev.events.front(), (PostedEvent{EV_KEY, KEY_A, 1}));
  EXPECT_EQ(evdev.events[evdev.events.size() - 2], (PostedEvent{EV_KEY, KEY_A, 0}));
  EXPECT_EQ(evdev.destroyed, 1);
  ASSERT_GE(calls.log.size(), 2u);
  EXPECT_EQ(calls.log[calls.log.size() - 2], "ioctl PPRELEASE");
  EXPECT_EQ(calls.log.back(), "flock LOCK_UN");
  // The frame keeps the fakes until it goes.
  CloseEditor();
}

TEST_F(ExecuteCommand, AnErrorBoxIsShownByTheGuiThreadAndTheExecutionEndsWhenItCloses) {
  StartOn("bad.ini", kBadDocument);
  Command(kExecuteId);
  ASSERT_TRUE(PumpUntil([&] { return prompts_->OpenBoxes() == 1; }));
  const ShownBox& box = prompts_->shown.back();
  EXPECT_EQ(box.text, kBadDocumentMessage);
  EXPECT_EQ(box.caption, "Bad Thing");
  EXPECT_FALSE(box.owned);
  EXPECT_TRUE(box.onGuiThread);
  // The editor stays usable while the box is open, and the execution is not over.
  EXPECT_TRUE(box.editorEnabled);
  PumpFor(std::chrono::milliseconds(50));
  EXPECT_TRUE(Running());
  EXPECT_EQ(Indicator(), "  Active");

  prompts_->DismissOpenBoxes();
  ASSERT_TRUE(PumpUntil([&] { return !Running(); }));
  EXPECT_EQ(Indicator(), "Inactive");
  // An error stop leaves `running` as it was.
  EXPECT_EQ(Frame().Run().running, 1);
}

// The end of an execution is an event the frame handles: once the box is closed, the pending
// events alone let go of the execution and show it ended, without an idle pass.
TEST_F(ExecuteCommand, AnExecutionThatEndsByItselfIsHandledWithoutAnIdlePass) {
  StartOn("bad.ini", kBadDocument);
  Command(kExecuteId);
  ASSERT_TRUE(PumpUntil([&] { return prompts_->OpenBoxes() == 1; }));
  EXPECT_EQ(Indicator(), "  Active");
  prompts_->DismissOpenBoxes();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (Pane(kExecutionPane) != "Inactive" && std::chrono::steady_clock::now() < deadline) {
    wxTheApp->ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(Pane(kExecutionPane), "Inactive");
  EXPECT_FALSE(Running());
}

TEST_F(ExecuteCommand, StopWaitsForTheErrorBoxAndStillLetsItBeClosed) {
  StartOn("bad.ini", kBadDocument);
  prompts_->dismissSoon = true;
  Command(kExecuteId);
  // The execution asks for its box while Stop waits: the wait must keep handling events.
  Command(kStopId);
  EXPECT_FALSE(Running());
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].text, kBadDocumentMessage);
  // The user's input was paused meanwhile, and is back.
  EXPECT_FALSE(prompts_->shown[0].editorEnabled);
  EXPECT_TRUE(Frame().IsEnabled());
}

TEST_F(ExecuteCommand, ClosingTheWindowStopsTheExecutionFirst) {
  StartOn("pads.ini", kGoodDocument);
  Command(kExecuteId);
  ASSERT_TRUE(Running());
  MainFrame& frame = Frame();
  EXPECT_TRUE(frame.Close());
  // The frame is deleted at the next idle pass; the execution has ended before that.
  EXPECT_EQ(frame.Run().finished, 1);
  Idle();
  EXPECT_EQ(wxGetApp().Frame(), nullptr);
}

TEST_F(ExecuteCommand, AThreadThatCannotStartIsReportedAndNothingWaitsForIt) {
  StartOn("pads.ini", kGoodDocument);
  Frame().SetThreadStarter([](std::function<void()>) { return std::optional<std::thread>(); });
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_TRUE(prompts_->shown[0].text.Contains("thread"));
  EXPECT_EQ(Frame().Run().finished, 1);
  EXPECT_EQ(Frame().Run().running, 0);
  EXPECT_EQ(Indicator(), "Inactive");
  Command(kStopId);  // Returns at once: there is nothing to wait for.
}

TEST_F(ExecuteCommand, WithoutAHomeDirectoryNothingStarts) {
  SetEnvironment("ZARVEL_HOME", std::nullopt);
  SetEnvironment("XDG_CONFIG_HOME", std::nullopt);
  SetEnvironment("HOME", std::nullopt);
  StartOn("pads.ini", kGoodDocument);
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_TRUE(prompts_->shown[0].text.Contains("ZARVEL_HOME"));
  EXPECT_FALSE(Running());
}

TEST_F(ExecuteCommand, HardwareThatCannotBeHadIsRefusedBeforeAnythingRuns) {
  wxGetApp().SetHardwareOptions({"ppdev:" + (dir_.Path() / "no-such-port").string(), {}});
  StartOn("pads.ini", kGoodDocument);
  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_TRUE(prompts_->shown[0].text.Contains("no-such-port"));
  EXPECT_FALSE(Running());
  EXPECT_EQ(Indicator(), "Inactive");
}

TEST_F(ExecuteCommand, ExecuteAndStopAreNeverGreyed) {
  StartOn("pads.ini", kGoodDocument);
  wxToolBar* tools = Frame().GetToolBar();
  for (int pass = 0; pass < 2; ++pass) {
    Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
    for (const int id : {kExecuteId, kStopId}) {
      EXPECT_TRUE(Frame().GetMenuBar()->IsEnabled(id)) << id;
      EXPECT_TRUE(tools->GetToolEnabled(id)) << id;
    }
    Command(kExecuteId);
  }
  EXPECT_TRUE(Running());
}

// The status bar's first pane says what happened last, to the document shown: each command
// replaces what an earlier one said about another file.
TEST_F(ExecuteCommand, TheStatusBarSaysWhatTheLastCommandDid) {
  const std::string bad = Write("bad.ini", kBadDocument);
  StartOn("pads.ini", kGoodDocument);
  EXPECT_EQ(Pane(kMessagePane), "Ready");
  Command(kExecuteId);
  EXPECT_EQ(Pane(kMessagePane), "Executing pads.ini.");
  Command(kStopId);
  EXPECT_EQ(Pane(kMessagePane), "The execution of pads.ini was stopped.");

  ASSERT_TRUE(Open(bad));
  EXPECT_EQ(Pane(kMessagePane), "Ready");
  prompts_->dismissSoon = true;
  Command(kExecuteId);
  ASSERT_TRUE(PumpUntil([&] { return Pane(kMessagePane).StartsWith("The execution stopped"); }));
  Command(wxID_NEW);
  EXPECT_EQ(Pane(kMessagePane), "Ready");
}

// The list of problems keeps to the lines of the text as lines are typed and deleted above
// them, as the marks in the margin do.
TEST_F(ExecuteCommand, TheProblemsListedFollowTheEditsOfTheText) {
  StartOn("pads.ini", "[config]\nTickFrq = 50\n[snes]\na = nosuchkey\n");
  ASSERT_TRUE(Command(kCheckId));
  ProblemList& problems = Frame().Problems();
  const auto lines = [&](int added) {
    std::vector<long> shown;
    for (int row = 0; row < problems.GetItemCount(); ++row) {
      long line = 0;
      problems.GetItemText(row, 0).ToLong(&line);
      shown.push_back(line - added);
    }
    return shown;
  };
  const std::vector<long> checked = lines(0);
  ASSERT_GE(checked.size(), 2u);
  Text().GotoPos(0);
  Type(";one\n;two\n");
  EXPECT_EQ(lines(2), checked);
  while (Text().CanUndo()) {
    Command(wxID_UNDO);
  }
  EXPECT_EQ(lines(0), checked);
  // Choosing a problem goes to the line it is on now.
  Text().GotoPos(0);
  Type(";three\n");
  problems.SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  EXPECT_EQ(Text().GetCurrentLine(), checked[0]);
}

// The list of problems and the Pads panel sit beside sashes the user drags; the sizes are kept
// for the next start. One click on a problem puts the caret on its word with the keyboard there,
// and the list can be closed.
TEST_F(ExecuteCommand, TheSashesAreKeptAndAClickOnAProblemGoesToItsWord) {
  StartOn("pads.ini", "[config]\nTickFrq = 50\n[snes]\na = nosuchkey\n");
  ASSERT_TRUE(Command(kCheckId));
  Frame().Raise();
  PumpFor(std::chrono::milliseconds(100));
  ProblemList& problems = Frame().Problems();
  ASSERT_TRUE(problems.IsShown());
  wxUIActionSimulator user;
  // Each row, then the last one again, though it is chosen already.
  std::vector<long> rows(static_cast<size_t>(problems.GetItemCount()));
  std::iota(rows.begin(), rows.end(), 0L);
  rows.push_back(rows.back());
  for (const long row : rows) {
    Text().GotoPos(0);
    wxRect bounds;
    ASSERT_TRUE(problems.GetItemRect(row, bounds));
    user.MouseMove(problems.ClientToScreen(bounds.GetPosition() + wxPoint(20, bounds.height / 2)));
    user.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return Text().GetCurrentPos() != 0; })) << row;
    PumpFor(std::chrono::milliseconds(50));
    const wxString problem = problems.GetItemText(row, 1);
    const wxString word = Text().GetSelectedText();
    EXPECT_EQ(Text().GetCurrentLine() + 1, wxAtoi(problems.GetItemText(row, 0)));
    EXPECT_EQ(Text().GetCurrentPos(), Text().GetSelectionStart());
    EXPECT_EQ(wxWindow::FindFocus(), &Text()) << row;
    for (const char* fault : {"nosuchkey", "TickFrq"}) {
      if (problem.Contains(fault)) {
        EXPECT_EQ(word, fault) << problem;
      }
    }
  }
  Command(kToggleProblemsId);
  EXPECT_FALSE(problems.IsShown());
  Command(kToggleProblemsId);
  EXPECT_TRUE(problems.IsShown());

  // The sash beside the Pads panel, dragged 80 pixels to the left, stays there at the next start.
  const int width = Frame().Pads().GetSize().GetWidth();
  const wxRect panel = Frame().Pads().GetScreenRect();
  const wxPoint sash(panel.GetLeft() - 3, panel.GetTop() + panel.GetHeight() / 2);
  user.MouseMove(sash);
  PumpFor(std::chrono::milliseconds(50));
  user.MouseDown();
  PumpFor(std::chrono::milliseconds(50));
  user.MouseMove(sash - wxPoint(80, 0));
  PumpFor(std::chrono::milliseconds(50));
  user.MouseUp();
  ASSERT_TRUE(PumpUntil([&] { return Frame().Pads().GetSize().GetWidth() > width + 40; }));
  PumpFor(std::chrono::milliseconds(100));
  const int dragged = Frame().Pads().GetSize().GetWidth();
  CloseEditor();
  StartOn("other.ini", kGoodDocument);
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_NEAR(Frame().Pads().GetSize().GetWidth(), dragged, 2);
}

// The shipped example of two players, executed on the simulated PC.
class AssignWhileRunning : public ExecuteCommand {
 protected:
  void SetUp() override {
    ExecuteCommand::SetUp();
    std::ifstream in(ZARVEL_SOURCE_DIR "/examples/two_players.ini", std::ios::binary);
    example_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    path_ = StartOn("two_players.ini", example_);
    Frame().Raise();
    Command(kExecuteId);
    ASSERT_TRUE(PumpUntil([&] { return Frame().Pads().PadCount() == 2; }));
  }

  // Chooses a button of the first pad with the mouse and presses a key for it, as the user
  // would.
  void Assign(const std::string& button, char key) {
    PadsPanel& pads = Frame().Pads();
    pads.SetAssigning(true);
    PadPicture& picture = pads.Picture(0);
    wxUIActionSimulator user;
    user.MouseMove(picture.ClientToScreen(picture.ButtonCentre(button)));
    PumpFor(std::chrono::milliseconds(50));
    user.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return pads.Chosen().has_value(); }));
    user.Char(key);
    ASSERT_TRUE(PumpUntil([&] { return !pads.Chosen().has_value(); }));
  }

  std::string example_;
  std::string path_;
};

TEST_F(AssignWhileRunning, TakesEffectAtOnceAndItsUndoToo) {
  const uint64_t first = Frame().Run().generation;
  Assign("l", 'k');
  // The execution runs the text as shown, and the file stays as it was until Save.
  EXPECT_GT(Frame().Run().generation, first);
  EXPECT_TRUE(Running());
  EXPECT_NE(Read(Frame().Run().path).find("\nl = k\n"), std::string::npos);
  EXPECT_EQ(Read(path_), example_);
  EXPECT_TRUE(Document().IsModified());
  EXPECT_TRUE(Pane(kMessagePane).StartsWith("l of [snes 1] now types k")) << Pane(kMessagePane);
  EXPECT_TRUE(Pane(kMessagePane).Contains("restarted")) << Pane(kMessagePane);

  // Undo takes the assignment back, its message with it, and the execution follows; Redo
  // gives both back.
  const uint64_t assigned = Frame().Run().generation;
  Command(wxID_UNDO);
  ASSERT_TRUE(PumpUntil([&] { return Frame().Run().generation > assigned; }));
  EXPECT_NE(Read(Frame().Run().path).find("\nl = 1\n"), std::string::npos);
  EXPECT_TRUE(Pane(kMessagePane).StartsWith("Undone: l of [snes 1] now types k"));
  Command(wxID_REDO);
  ASSERT_TRUE(PumpUntil([&] { return Pane(kMessagePane).StartsWith("l of [snes 1]"); }));
  EXPECT_NE(Read(Frame().Run().path).find("\nl = k\n"), std::string::npos);

  // Save puts the text as shown in the file.
  Command(wxID_SAVE);
  EXPECT_NE(Read(path_).find("\nl = k\n"), std::string::npos);
}

}  // namespace
}  // namespace zarvel::testing
