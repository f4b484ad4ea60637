#include "app/editor_host.h"

#include <atomic>
#include <thread>

#include <wx/toplevel.h>

#include "app/editor_fixture.h"
#include "app/input_pause.h"
#include "app/main_frame.h"
#include "app/ownerless_box.h"

namespace zarvel::testing {
namespace {

using EditorHostBox = EditorTest;

TEST_F(EditorHostBox, AProcessEndingStopIsShownAndReturnsOnlyOnceDismissed) {
  ASSERT_TRUE(StartEditor());
  EditorHost host(*prompts_, std::make_unique<ExecutionHardware>(PortWiring{}, PadScript{}));
  std::atomic<bool> returned = false;
  std::thread execution([&] {
    host.EndProcess(
        ProcessEndingStop("Bad Thing: The NES controller does not seem to be connected.\n"));
    returned = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return prompts_->OpenBoxes() == 1; }));
  EXPECT_EQ(prompts_->shown[0].text, "The NES controller does not seem to be connected.\n");
  EXPECT_EQ(prompts_->shown[0].caption, "Bad Thing");
  EXPECT_FALSE(prompts_->shown[0].owned);
  EXPECT_TRUE(prompts_->shown[0].onGuiThread);
  PumpFor(std::chrono::milliseconds(30));
  EXPECT_FALSE(returned);
  prompts_->DismissOpenBoxes();
  execution.join();
  EXPECT_TRUE(returned);
}

TEST_F(EditorHostBox, MessageBytesAreShownOneCharacterEach) {
  ASSERT_TRUE(StartEditor());
  EditorHost host(*prompts_, std::make_unique<ExecutionHardware>(PortWiring{}, PadScript{}));
  prompts_->dismissSoon = true;
  std::thread execution(
      [&] { host.ShowBadThing(BadThing("Could not find item \"n\xE9\" in section")); });
  ASSERT_TRUE(PumpUntil([&] { return !prompts_->shown.empty(); }));
  execution.join();
  EXPECT_EQ(prompts_->shown[0].text,
            wxString::FromUTF8("Could not find item \"n\xC3\xA9\" in section"));
}

using ErrorBoxWindow = EditorTest;

TEST_F(ErrorBoxWindow, StaysUsableWhileInputIsPausedAndTellsWhenClosed) {
  ASSERT_TRUE(StartEditor());
  int dismissals = 0;
  auto* box =
      new OwnerlessBox("Could not allocate 1024 bytes.\n", "Bad Thing", [&] { ++dismissals; });
  box->Show();
  EXPECT_EQ(box->GetParent(), nullptr);
  {
    InputPause pause;
    EXPECT_FALSE(Frame().IsEnabled());
    EXPECT_TRUE(box->IsEnabled());
  }
  EXPECT_TRUE(Frame().IsEnabled());

  box->Dismiss();
  EXPECT_EQ(dismissals, 1);
  Idle();
  EXPECT_EQ(wxTopLevelWindows.Find(box), nullptr);

  // A box that goes with the program still lets its execution go on, once.
  auto* second = new OwnerlessBox("text", "Bad Thing", [&] { ++dismissals; });
  second->Destroy();
  Idle();
  EXPECT_EQ(dismissals, 2);
}

}  // namespace
}  // namespace zarvel::testing
