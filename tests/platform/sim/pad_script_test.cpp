#include "platform/sim/pad_script.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zarvel {
namespace {

std::string Refusal(std::string_view text) {
  const ParsedPadScript parsed = ParsePadScript(text, "pads.txt");
  return parsed.script ? "accepted" : parsed.error;
}

TEST(PadScript, PadsHoldTheirButtonsFromTheirLinesTickOn) {
  const ParsedPadScript parsed = ParsePadScript(
      "# warm-up\n"
      "\n"
      "0 1 a START\n"
      "0 2 unplugged\r\n"
      "  3 1 -\n"
      "3 1 left  up\n"
      "5 9 Unplugged\n",
      "pads.txt");
  ASSERT_TRUE(parsed.script) << parsed.error;
  const PadScript& script = *parsed.script;

  const PadInput start = script.StateAt(1, 0);
  EXPECT_TRUE(start.plugged);
  EXPECT_TRUE(start.Holds(SimButton::kA));
  EXPECT_TRUE(start.Holds(SimButton::kStart));
  EXPECT_FALSE(start.Holds(SimButton::kB));
  EXPECT_EQ(script.StateAt(1, 2).held, start.held);
  // The later of two lines for the same tick wins.
  const PadInput later = script.StateAt(1, 3);
  EXPECT_TRUE(later.Holds(SimButton::kLeft) && later.Holds(SimButton::kUp));
  EXPECT_FALSE(later.Holds(SimButton::kA));

  EXPECT_FALSE(script.StateAt(2, 100).plugged);
  EXPECT_TRUE(script.StateAt(9, 4).plugged);
  EXPECT_FALSE(script.StateAt(9, 5).plugged);
  // A pad without a line is plugged in and idle.
  EXPECT_TRUE(script.StateAt(4, 7).plugged);
  EXPECT_EQ(script.StateAt(4, 7).held, 0);
}

// A tick's lookup costs the same however long the script is: a million lines of one pad, all
// before the ticks asked for, are not scanned again for each tick and each pad.
TEST(PadScript, ALookupDoesNotScanTheWholeScript) {
  constexpr int32_t kLines = 1'000'000;
  std::vector<PadScriptLine> lines(kLines);
  for (int32_t i = 0; i < kLines; ++i) {
    lines[static_cast<size_t>(i)] = {i, 1 + i % 2, PadInput{true, static_cast<uint16_t>(i % 7)}};
  }
  const PadScript script(std::move(lines));
  const auto start = std::chrono::steady_clock::now();
  uint32_t held = 0;
  for (int32_t tick = kLines; tick < kLines + 2000; ++tick) {
    held += script.StateAt(1, tick).held + script.StateAt(3, tick).held;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_EQ(held, 2000u * ((kLines - 2) % 7));
  EXPECT_EQ(script.StateAt(2, 6).held, 5);
  EXPECT_EQ(script.StateAt(2, 0).held, 0);
  EXPECT_TRUE(script.StateAt(3, 6).plugged);
}

TEST(PadScript, MalformedLinesAreRefusedWithFileAndLine) {
  EXPECT_EQ(Refusal("0 1 a\n\nx 1 a\n"), "pads.txt:3: \"x\" is not a tick number (0 or more)");
  EXPECT_EQ(Refusal("-1 1 a\n"), "pads.txt:1: \"-1\" is not a tick number (0 or more)");
  EXPECT_EQ(Refusal("4 1 a\n3 1 b\n"),
            "pads.txt:2: tick 3 comes after tick 4; lines must come in order of tick");
  EXPECT_EQ(Refusal("0\n"), "pads.txt:1: a line is TICK PAD BUTTON..., but the pad is missing");
  EXPECT_EQ(Refusal("0 10 a\n"), "pads.txt:1: \"10\" is not a pad number (1 to 9)");
  EXPECT_EQ(Refusal("0 0 a\n"), "pads.txt:1: \"0\" is not a pad number (1 to 9)");
  EXPECT_EQ(Refusal("0 1\n"),
            "pads.txt:1: no buttons given: name them, or write - for none or unplugged for a pad "
            "unplugged");
  EXPECT_EQ(Refusal("0 1 a turbo\n"),
            "pads.txt:1: \"turbo\" is not a button (a, b, x, y, l, r, select, start, up, down, "
            "left, right, or a PlayStation pad's, a Genesis pad's or an Atari stick's)");
  EXPECT_EQ(Refusal("0 1 a -\n"), "pads.txt:1: \"-\" must stand alone after TICK and PAD");
  EXPECT_EQ(Refusal("0 1 unplugged b\n"),
            "pads.txt:1: \"unplugged\" must stand alone after TICK and PAD");
}

TEST(PadScript, AFileThatCannotBeReadIsRefused) {
  const ParsedPadScript parsed = LoadPadScript("/nonexistent/pads.txt");
  EXPECT_FALSE(parsed.script);
  EXPECT_EQ(parsed.error, "/nonexistent/pads.txt: cannot read the pad script");
}

}  // namespace
}  // namespace zarvel
