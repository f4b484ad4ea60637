#include "app/hardware_menu.h"

#include <cerrno>

#include <wx/cmdline.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/command_ids.h"
#include "app/editor_fixture.h"
#include "app/main_frame.h"
#include "app/zarvel_app.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"

namespace zarvel::testing {
namespace {

// The machine the editor finds: two parallel-port devices, and no right to the ports.
class HardwareMenuTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    calls_.MakeFile("/dev/parport0");
    calls_.MakeFile("/dev/parport1");
    wxGetApp().SetSystemAccess({&calls_, &evdev_});
  }
  wxString HardwarePane() { return Pane(kHardwarePane); }
  wxMenuBar& Menus() { return *Frame().GetMenuBar(); }

  // Starts the editor as its command line would.
  bool StartWith(const wxString& commandLine) {
    wxCmdLineParser parser;
    wxGetApp().OnInitCmdLine(parser);
    parser.SetCmdLine(commandLine);
    return parser.Parse(false) == 0 && wxGetApp().OnCmdLineParsed(parser) && StartEditor();
  }

  // The tooltip the status bar shows with the mouse over the hardware pane.
  wxString HardwareTooltip() {
    wxStatusBar* bar = Frame().GetStatusBar();
    wxRect pane;
    EXPECT_TRUE(bar->GetFieldRect(kHardwarePane, pane));
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetPosition(pane.GetPosition() + wxPoint(2, 2));
    motion.SetEventObject(bar);
    bar->GetEventHandler()->ProcessEvent(motion);
    return bar->GetToolTipText();
  }

  // The frame keeps the fakes until it goes, in the fixture's TearDown.
  FakeSystemCalls calls_;
  FakeEvdevCalls evdev_;
};

TEST_F(HardwareMenuTest, AChoiceMadeInTheMenuIsKeptAcrossARestartAndShownInThePane) {
  ASSERT_TRUE(StartEditor());
  // A first start runs on the simulated PC, and says how to choose otherwise.
  EXPECT_EQ(HardwarePane(), "Simulated PC");
  EXPECT_TRUE(HardwareTooltip().Contains("Hardware menu")) << HardwareTooltip();
  EXPECT_EQ(Menus().GetMenuLabelText(3), "Hardware");
  EXPECT_TRUE(Menus().IsChecked(kPadsSimulatedId));
  EXPECT_EQ(Menus().FindItem(kPadsDeviceFirstId + 1)->GetItemLabelText(), "Pads on /dev/parport1");
  EXPECT_TRUE(Menus().FindItem(kHardwareHelpId) != nullptr);
  // Without root the direct items say what they need instead of being chosen.
  EXPECT_FALSE(Menus().IsEnabled(kPadsDirectId));
  EXPECT_TRUE(Menus().FindItem(kKeysDirectId)->GetItemLabelText().Contains("sudo"));

  Command(kPadsDeviceFirstId + 1);
  Command(kKeysDesktopId);
  EXPECT_EQ(HardwarePane(), wxString::FromUTF8("/dev/parport1 → desktop"));
  CloseEditor();

  ASSERT_TRUE(StartEditor());
  EXPECT_EQ(HardwarePane(), wxString::FromUTF8("/dev/parport1 → desktop"));
  EXPECT_TRUE(Menus().IsChecked(kPadsDeviceFirstId + 1));
  EXPECT_TRUE(Menus().IsChecked(kKeysDesktopId));
  const std::string settings = Read(ConfigDir() + "/Zarvel.conf");
  EXPECT_NE(settings.find("[Hardware]\nParport=ppdev:/dev/parport1\nKeyboard=uinput\n"),
            std::string::npos)
      << settings;
}

TEST_F(HardwareMenuTest, TheCommandLineOverridesTheKeptChoiceForThatRunOnly) {
  ASSERT_TRUE(StartEditor());
  Command(kPadsDeviceFirstId);
  Command(kKeysDesktopId);
  CloseEditor();

  ASSERT_TRUE(StartWith("--parport sim --keyboard sim"));
  EXPECT_EQ(HardwarePane(), "Simulated PC");
  EXPECT_TRUE(Menus().IsChecked(kKeysSimulatedId));
  // What the user then chooses is kept, and only that: the keys stay the desktop.
  Command(kPadsDeviceFirstId + 1);
  EXPECT_EQ(HardwarePane(), wxString::FromUTF8("/dev/parport1 → simulated PC"));
  CloseEditor();

  wxGetApp().SetHardwareOptions({});
  ASSERT_TRUE(StartEditor());
  EXPECT_EQ(HardwarePane(), wxString::FromUTF8("/dev/parport1 → desktop"));
}

TEST_F(HardwareMenuTest, ADeviceThatCannotBeOpenedIsRefusedWithWhatToDoAndNothingRuns) {
  calls_.openErrors["/dev/parport0"] = EACCES;
  ASSERT_TRUE(StartEditor(Write("pads.ini", kGoodDocument)));
  Command(kExecuteId);
  ASSERT_EQ(Frame().Run().finished, 0);
  // Chosen while an execution runs, the device is used from the next Execute on.
  Command(kPadsDeviceFirstId);
  EXPECT_EQ(Pane(kMessagePane), "The hardware chosen is used from the next Execute on.");
  EXPECT_EQ(HardwarePane(), "Simulated PC");
  EXPECT_EQ(Frame().Run().finished, 0);

  Command(kExecuteId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_EQ(prompts_->shown[0].text,
            "No permission to open /dev/parport0: the usual group is lp (sudo adduser $USER lp, "
            "then log in again).\n\nOther pads or keys can be chosen in the Hardware menu.");
  EXPECT_EQ(Frame().Run().finished, 1);
  EXPECT_EQ(HardwarePane(), wxString::FromUTF8("/dev/parport0 → simulated PC"));
}

// Without a parallel port the menu says why no device is offered; every item's prompt fits the
// status bar of the window as it first opens; Help shows the manual and the way to real pads,
// each command on a line of its own.
TEST_F(HardwareMenuTest, WithoutAPortTheMenuSaysWhyAndItsPromptsFitTheStatusBar) {
  FakeSystemCalls noPort;
  wxGetApp().SetSystemAccess({&noPort, &evdev_});
  ASSERT_TRUE(StartEditor());
  wxMenuItem* none = Menus().FindItem(kNoParportId);
  ASSERT_NE(none, nullptr);
  EXPECT_FALSE(none->IsEnabled());
  EXPECT_TRUE(none->GetItemLabelText().Contains("/dev/parport")) << none->GetItemLabelText();
  EXPECT_EQ(Menus().FindItem(kPadsDeviceFirstId), nullptr);

  wxStatusBar* bar = Frame().GetStatusBar();
  wxRect pane;
  ASSERT_TRUE(bar->GetFieldRect(kMessagePane, pane));
  wxMenu* hardware = Menus().GetMenu(3);
  for (const wxMenuItem* item : hardware->GetMenuItems()) {
    if (!item->IsSeparator()) {
      EXPECT_LE(bar->GetTextExtent(item->GetHelp()).GetWidth(), pane.GetWidth()) << item->GetHelp();
    }
  }

  Command(kHardwareHelpId);
  ASSERT_EQ(prompts_->shown.size(), 1u);
  const wxString help = prompts_->shown[0].text;
  for (const char* step : {"circuits.ini", "--monitor", "cable_check.ini", "sudo modprobe"}) {
    EXPECT_TRUE(help.Contains(step)) << step;
  }
  for (const wxString& line : wxSplit(help, '\n', '\0')) {
    if (line.Contains("--") || line.StartsWith("    ")) {
      EXPECT_LE(line.length(), 48u) << line;
    }
  }

  Command(kManualId);
  ASSERT_EQ(prompts_->pages.size(), 1u);
  const std::string manual = Read(std::string(prompts_->pages[0].utf8_str()));
  EXPECT_NE(manual.find("## Using real pads"), std::string::npos);
  EXPECT_NE(manual.find("--monitor"), std::string::npos);
  EXPECT_EQ(manual.find("## For developers"), std::string::npos);
}

}  // namespace
}  // namespace zarvel::testing
