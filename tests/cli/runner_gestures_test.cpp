#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "mapping/button_gestures.h"
#include "platform/home_directory.h"
#include "platform/sim/pad_script.h"
#include "support/quiet_buttons.h"
#include "support/simulated_hardware.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using testing::kUnmappedSnesButtons;

// At TickFreq 100 the times below are a hold of 5 ticks, a double press within 4 and a chord
// within 3; up+left+r outranks up+left, which is written first.
constexpr std::string_view kGesturePad =
    "[config]\nTickFreq = 100\nHoldTime = 50\nDoubleTime = 40\nChordTime = 30\n"
    "[snes]\nNumShifts = 1\nShifts = select\nselect = none\nselect.tap = esc\n"
    "a = a\na.hold = lshift\nb = b\nb.double = c\nx = x\nx.hold = 1\nx.double = 2\n"
    "y = y;z\nl = l\nr = r\nl+r = space\nup = up\ndown = down\nleft = left\n"
    "up+left = enter\nup+left+r = tab\nstart = repeat(15) s\nstart.hold = repeat(15) h\n";

struct Delivered {
  std::string out;
  std::string err;
  RunnerEnding ending = RunnerEnding::kNormal;
};

class RunnerGesturesTest : public ::testing::Test {
 protected:
  RunnerGesturesTest() { EXPECT_TRUE(SeedHomeDirectory(Home()).created); }

  std::string Home() const { return dir_.Slash() + "home/"; }

  Delivered Execute(std::string_view document, std::string_view script, int64_t ticks,
                    bool monitor = false) {
    RunBlock runBlock;
    runBlock.path = dir_.Write("document.ini", document);
    runBlock.homeDir = Home();
    ParsedPadScript parsed = ParsePadScript(script, "script");
    EXPECT_TRUE(parsed.script) << parsed.error;
    std::ostringstream out;
    std::ostringstream err;
    RunnerHost host(runBlock, out, err, ticks, true, false,
                    testing::SimulatedHardware(runBlock.homeDir, std::move(*parsed.script)));
    if (monitor) {
      host.MonitorPads();
    }
    runBlock.running = 1;
    runBlock.finished = 0;
    ProcessState state;
    ExecutionThread(runBlock, state, host);
    return {out.str(), err.str(), host.Ending()};
  }

  testing::TempDir dir_;
};

// Each case: what the pad does, tick by tick, and every byte the simulated PC receives, one a
// tick, in 30 ticks.
TEST_F(RunnerGesturesTest, PressPatternsGiveTheirBytesAtTheirTicks) {
  struct Case {
    const char* what;
    const char* script;
    const char* bytes;
  };
  const Case cases[] = {
      {"a button without gestures is never delayed", "2 1 y\n4 1 -\n",
       "2 15 y pressed\n4 95 y released\n"},
      {"a short press taps the own item at the release", "2 1 a\n4 1 -\n",
       "4 1E a pressed\n5 9E a released\n"},
      {"a press still held at the hold time is a hold", "2 1 a\n10 1 -\n",
       "7 2A lshift pressed\n10 AA lshift released\n"},
      {"released at the very hold time is no hold", "2 1 a\n7 1 -\n",
       "7 1E a pressed\n8 9E a released\n"},
      {"a second press within the double time", "2 1 b\n3 1 -\n6 1 b\n8 1 -\n",
       "6 2E c pressed\n8 AE c released\n"},
      {"a single press taps once the double time is over", "2 1 b\n3 1 -\n",
       "7 30 b pressed\n8 B0 b released\n"},
      {"a second press as the double time ends starts afresh", "2 1 b\n3 1 -\n7 1 b\n8 1 -\n",
       "7 30 b pressed\n8 B0 b released\n12 30 b pressed\n13 B0 b released\n"},
      {"the hold is decided before the double press", "2 1 x\n9 1 -\n",
       "7 02 1 pressed\n9 82 1 released\n"},
      {"a short press then another makes the double", "2 1 x\n3 1 -\n4 1 x\n5 1 -\n",
       "4 03 2 pressed\n5 83 2 released\n"},
      {"a chord fires when its last button goes down", "2 1 l\n3 1 l r\n6 1 r\n8 1 -\n",
       "3 39 space pressed\n6 B9 space released\n"},
      {"a chord button held alone starts at the chord time", "2 1 l\n9 1 -\n",
       "5 26 l pressed\n9 A6 l released\n"},
      {"a chord button let go early taps", "2 1 l\n3 1 -\n", "3 26 l pressed\n4 A6 l released\n"},
      {"a partner pressed too late makes no chord", "2 1 l\n5 1 l r\n8 1 -\n",
       "5 26 l pressed\n8 13 r pressed\n9 93 r released\n10 A6 l released\n"},
      {"the longer chord wins", "2 1 up left r\n4 1 -\n", "2 0F tab pressed\n4 8F tab released\n"},
      {"the shorter chord when the third is missing", "2 1 up left\n4 1 -\n",
       "2 1C enter pressed\n4 9C enter released\n"},
      {"a shift button let go at once taps", "2 1 select\n4 1 -\n",
       "4 01 esc pressed\n5 81 esc released\n"},
      {"a shift button held past the hold time does not", "2 1 select\n10 1 -\n", ""},
      {"a shift button used as a shift does not", "2 1 select\n4 1 select y\n5 1 -\n",
       "4 2C z pressed\n5 AC z released\n"},
      {"a repeating hold repeats from the hold time", "2 1 start\n22 1 -\n",
       "7 23 h pressed\n13 A3 h released\n19 23 h pressed\n22 A3 h released\n"},
  };
  const std::string document = std::string(kGesturePad) + std::string(kUnmappedSnesButtons);
  for (const Case& c : cases) {
    const Delivered delivered = Execute(document, c.script, 30);
    EXPECT_EQ(delivered.err, "") << c.what;
    EXPECT_EQ(delivered.out, c.bytes) << c.what;
  }
}

TEST(GestureTicks, AreTheTimeAtTheTickRateRoundedUpAndAtLeastOne) {
  // {milliseconds, TickFreq, ticks}
  const int32_t cases[][3] = {{200, 100, 20}, {250, 100, 25}, {50, 100, 5}, {15, 100, 2},
                              {7, 100, 1},    {1, 1, 1},      {333, 7, 3},  {5000, 1000, 5000}};
  for (const auto& c : cases) {
    EXPECT_EQ(GestureTicks(c[0], c[1]), c[2]) << c[0] << " ms at " << c[1];
  }
}

TEST_F(RunnerGesturesTest, TheMonitorShowsEachDecisionBeforeTheTicksBytes) {
  const std::string document = std::string(kGesturePad) + std::string(kUnmappedSnesButtons);
  const Delivered delivered = Execute(
      document, "2 1 l r\n3 1 -\n5 1 a\n11 1 -\n13 1 b\n14 1 -\n15 1 b\n16 1 -\n", 20, true);
  EXPECT_EQ(delivered.out,
            "2 pad 1 l down\n2 pad 1 r down\n2 pad 1 l+r chord\n2 39 space pressed\n"
            "3 pad 1 l up\n3 pad 1 r up\n3 B9 space released\n5 pad 1 a down\n"
            "10 pad 1 a hold\n10 2A lshift pressed\n11 pad 1 a up\n11 AA lshift released\n"
            "13 pad 1 b down\n14 pad 1 b up\n15 pad 1 b down\n15 pad 1 b double\n"
            "15 2E c pressed\n16 pad 1 b up\n16 AE c released\n");
}

TEST_F(RunnerGesturesTest, RefusedItemsEndTheExecutionNamingTheItem) {
  struct Case {
    const char* items;
    const char* message;
  };
  const Case cases[] = {
      {"q.hold = a\n", "Gesture item \"q.hold\": \"q\" names no button of the pad.\n"},
      {"a+q = a\n", "Gesture item \"a+q\": \"q\" names no button of the pad.\n"},
      {"a+ = a\n",
       "Gesture item \"a+\": a chord needs two buttons or more, each named between "
       "\"+\".\n"},
      {"a+b+x+y+l = a\n", "Gesture item \"a+b+x+y+l\": a chord holds four buttons at most.\n"},
      {"a+b+a = a\n", "Gesture item \"a+b+a\": the chord names \"a\" twice.\n"},
      {"a.tap = a\n",
       "Gesture item \"a.tap\": \"a\" is no momentary shift button, so it has no "
       "tap.\n"},
      {"start.hold = a\n",
       "Gesture item \"start.hold\": \"start\" latches its shift state, so "
       "it has no hold, double press or chord.\n"},
      {"a.hodl = a\n", "Gesture item \"a.hodl\": \"hodl\" is no gesture (hold, double or tap).\n"},
      {"a.hold = a;b;c;d\n", "Tried to assign more than 2 shift states to \"a.hold\" button.\n"},
      {"HoldTime = 0\na.hold = a\n",
       "\"HoldTime\" is out of range. Values should range from 1 to 5000.\n"},
      {"a+b=a\na+x=a\na+y=a\na+l=a\na+r=a\na+up=a\na+down=a\na+left=a\na+right=a\nb+x=a\n"
       "b+y=a\nb+l=a\nb+r=a\nb+up=a\nb+down=a\nb+left=a\nb+right=a\n",
       "Gesture item \"b+right\": a pad has room for 16 chords.\n"},
  };
  for (const Case& c : cases) {
    const std::string document =
        "[config]\nTickFreq = 100\n[snes]\nNumShifts = 2\n"
        "Shifts = select, toggle start\n" +
        std::string(c.items) + std::string(kUnmappedSnesButtons);
    const Delivered delivered = Execute(document, "", 2);
    EXPECT_EQ(delivered.ending, RunnerEnding::kBadThing) << c.items;
    EXPECT_EQ(delivered.err, std::string("Bad Thing: ") + c.message) << c.items;
  }
}

}  // namespace
}  // namespace zarvel
