#include "app/main_frame.h"

#include <linux/input-event-codes.h>

#include <chrono>
#include <filesystem>
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

}  // namespace
}  // namespace zarvel::testing
