#include "mapping/button_processing.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/configured_pad.h"

namespace zarvel {
namespace {

using testing::ConfiguredPad;
using Bytes = std::vector<uint8_t>;
using Ticks = std::vector<Bytes>;
using namespace testing;  // NOLINT: the SNES button indices.

// The bytes each of `ticks` ticks queues while the named buttons are held throughout.
Ticks Hold(ConfiguredPad& configured, std::initializer_list<std::string_view> pressed, int ticks) {
  Ticks queued;
  for (int i = 0; i < ticks; ++i) {
    queued.push_back(configured.Tick(pressed));
  }
  return queued;
}

TEST(ButtonProcessing, APlainButtonFollowsItsRawState) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("a = a\nb = b\n"), "");
  // Held at the first tick: it goes down at once, in shift state 0.
  EXPECT_EQ(configured.Tick({"a"}), (Bytes{0x1E}));
  EXPECT_EQ(configured.Tick({"a"}), Bytes{});
  // Pressed for one tick: down at that tick, up at the next. Buttons go in index order.
  EXPECT_EQ(configured.Tick({"b"}), (Bytes{0x30, 0x9E}));
  EXPECT_EQ(configured.Tick(), (Bytes{0xB0}));
  EXPECT_EQ(configured.Tick(), Bytes{});
}

TEST(ButtonProcessing, EntriesGoToTheQueueAsTheyAre) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("a = zeroed\nb = pulse esc\nx = none\n"), "");
  // A zero byte inside an entry is dropped; the others keep their order.
  EXPECT_EQ(configured.Tick({"a"}), (Bytes{0x1E, 0x30}));
  EXPECT_EQ(configured.Tick(), (Bytes{0x9E, 0xB0}));
  // A pulse taps at the press and is silent at the release; an empty entry queues nothing.
  EXPECT_EQ(configured.Tick({"b", "x"}), (Bytes{0x01, 0x81}));
  EXPECT_EQ(configured.Tick(), Bytes{});
  // The staging area holds a whole entry of sixteen bytes.
  ASSERT_EQ(configured.Configure("a = printscreen,printscreen,printscreen,printscreen\n"), "");
  EXPECT_EQ(configured.Tick({"a"}).size(), 16u);
  EXPECT_EQ(configured.state.stagingSequence.length, 16);
}

TEST(ButtonProcessing, ALatchingButtonFlipsAtPressesAndIgnoresReleases) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 1\nShifts = toggle select\nselect = x;x\n"), "");
  EXPECT_EQ(configured.Tick({"select"}), (Bytes{0x2D}));
  // The state it selects follows a tick later, and it is pressed again under that state.
  EXPECT_EQ(configured.Tick({"select"}), (Bytes{0xAD, 0x2D}));
  EXPECT_EQ(configured.pad.shift, 1);
  EXPECT_EQ(configured.Tick(), Bytes{});
  EXPECT_EQ(configured.pad.out[kSnesSelect], 1);
  EXPECT_EQ(configured.Tick({"select"}), (Bytes{0xAD}));
  EXPECT_EQ(configured.Tick(), Bytes{});
  EXPECT_EQ(configured.pad.out[kSnesSelect], 0);
  EXPECT_EQ(configured.pad.shift, 0);
}

TEST(ButtonProcessing, ARepeatingButtonChangesOnlyAtTheStepsOfItsCounter) {
  ConfiguredPad configured;
  // RepeatRate 10: a step every ten ticks, counted from the configuration on. A held button
  // goes on at the first step.
  ASSERT_EQ(configured.Configure("a = repeat a\n"), "");
  EXPECT_EQ(Hold(configured, {"a"}, 10).back(), (Bytes{0x1E}));
  // Let go while on: off at the next step, not before.
  EXPECT_EQ(Hold(configured, {}, 10), (Ticks{{}, {}, {}, {}, {}, {}, {}, {}, {}, {0x9E}}));

  // Periods 1 and 2 step at every tick.
  for (const char* section : {"a = repeat(20) a\n", "a = repeat(19) a\n"}) {
    ASSERT_EQ(configured.Configure(section), "");
    EXPECT_EQ(Hold(configured, {"a"}, 4), (Ticks{{0x1E}, {0x9E}, {0x1E}, {0x9E}})) << section;
  }

  // Period 20 steps every 19 ticks; a press that ends between two steps is never seen.
  ASSERT_EQ(configured.Configure("a = repeat(1) a\n"), "");
  EXPECT_EQ(Hold(configured, {}, 18), Ticks(18));
  EXPECT_EQ(configured.Tick({"a"}), (Bytes{0x1E}));  // Tick 19 is a step.
  EXPECT_EQ(Hold(configured, {}, 19).back(), (Bytes{0x9E}));
  EXPECT_EQ(Hold(configured, {"a"}, 5), Ticks(5));
  EXPECT_EQ(Hold(configured, {}, 14), Ticks(14));
}

TEST(ButtonProcessing, LatchingComesBeforeRepeating) {
  ConfiguredPad configured;
  ASSERT_EQ(
      configured.Configure("NumShifts = 1\nShifts = toggle a\na = repeat(20) a; repeat(20) a\n"),
      "");
  // Held, a repeating button would change at every tick; a latching one stays on.
  EXPECT_EQ(Hold(configured, {"a"}, 4), (Ticks{{0x1E}, {0x9E, 0x1E}, {}, {}}));
}

TEST(ButtonProcessing, TheShiftStateFollowsOneTickAfterItsButtonsSettle) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 2\nShifts = l,select\na = a;b;x\n"), "");
  ControlPad& pad = configured.pad;
  configured.Tick({"l"});
  EXPECT_EQ(pad.shift, 0);
  configured.Tick({"l"});
  EXPECT_EQ(pad.shift, 1);
  // Select, with the lower button index, decides when both are on.
  configured.Tick({"l", "select"});
  configured.Tick({"l", "select"});
  EXPECT_EQ(pad.shift, 2);
  // A shift button on for a single tick is never seen.
  configured.Tick({"l"});
  configured.Tick({"l", "select"});
  configured.Tick({"l"});
  EXPECT_EQ(pad.shift, 2);
  configured.Tick({"l"});
  EXPECT_EQ(pad.shift, 1);

  // A change of state while no button is on queues nothing; a button held across one lets go
  // of the old state's key before pressing the new state's.
  EXPECT_EQ(configured.Tick(), Bytes{});
  EXPECT_EQ(configured.Tick(), Bytes{});
  EXPECT_EQ(pad.shift, 0);
  EXPECT_EQ(configured.Tick({"a"}), (Bytes{0x1E}));
  EXPECT_EQ(configured.Tick({"a", "select"}), Bytes{});
  EXPECT_EQ(configured.Tick({"a", "select"}), (Bytes{0x9E, 0x2D}));
  EXPECT_EQ(configured.Tick({"select"}), (Bytes{0xAD}));
}

}  // namespace
}  // namespace zarvel
