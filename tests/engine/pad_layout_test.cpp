#include "engine/pad_layout.h"

#include <gtest/gtest.h>

#include "config/settings_files.h"
#include "support/configured_pad.h"

namespace zarvel {
namespace {

TEST(PadLayout, NamesEachShiftStateByTheButtonThatSelectsItAndWhetherItLatches) {
  testing::ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 2\nShifts = l, toggle select\n"), "");
  configured.pad.header = "[snes 1]";
  const std::vector<PadLayout> layouts = LayoutOfPads({&configured.pad, 1});
  ASSERT_EQ(layouts.size(), 1u);
  const PadLayout& layout = layouts[0];
  EXPECT_EQ(layout.header, "[snes 1]");
  EXPECT_EQ(layout.kind, "snes");
  EXPECT_EQ(layout.ButtonIndex("select"), 2);
  EXPECT_EQ(layout.ShiftStateText(0), "state 0");
  EXPECT_EQ(layout.ShiftStateText(1), "state 1: l");
  EXPECT_EQ(layout.ShiftStateText(2), "state 2: toggle select");
}

// The pads a document asks for, read from its text alone as a window shows them before any
// execution: the kinds in the execution's order, the shift buttons, and each button's keys in
// each state as its picture labels them.
TEST(PadLayout, ADocumentsPadsAreReadFromItsTextWithEachButtonsKeysAndGestures) {
  SettingsFiles files;
  files.localFile = SettingsText("doc.ini",
                                 "[nes 2]\nb = repeat(17) rshift\n"
                                 "[snes]\nNumShifts = 2\nShifts = l, toggle select\n"
                                 "a = a; lshift,a; 1\nb = none; lctrl, lshift, b\n"
                                 "x = pulse esc\ny = lshift\nl = none\n"
                                 "a.hold = space\nl+a = tab\n"
                                 "[atari 9]\n[nosuch 1]\n");
  files.globalFile = SettingsText("zarvel.ini", "[snes]\nstart = enter\n");
  const std::vector<PadLayout> layouts = LayoutOfSettings(files);
  ASSERT_EQ(layouts.size(), 2u);
  EXPECT_EQ(layouts[0].header, "[snes]");
  EXPECT_EQ(layouts[1].header, "[nes 2]");
  EXPECT_EQ(layouts[1].kind, "nes");
  const PadLayout& snes = layouts[0];
  EXPECT_EQ(snes.ShiftStateText(2), "state 2: toggle select");

  const struct {
    const char* button;
    int state;
    const char* label;
  } labels[] = {
      {"a", 0, "a"},        {"a", 1, "\u21e7a"}, {"a", 2, "1"},      {"b", 0, ""},
      {"b", 1, "^\u21e7b"}, {"x", 0, "esc"},     {"y", 0, "lshift"}, {"start", 0, "enter"},
      {"up", 0, ""},        {"a", 3, ""},
  };
  for (const auto& c : labels) {
    EXPECT_EQ(snes.KeyLabel(snes.ButtonIndex(c.button), c.state), c.label)
        << c.button << " in state " << c.state;
  }
  EXPECT_EQ(layouts[1].KeyLabel(layouts[1].ButtonIndex("b"), 0), "rshift");

  EXPECT_EQ(snes.Description(snes.ButtonIndex("a")),
            "a = a; lshift,a; 1\nstate 0: a\nstate 1: l: lshift, a\nstate 2: toggle select: 1\n"
            "a.hold = space\nl+a = tab");
  EXPECT_EQ(snes.Description(snes.ButtonIndex("l")),
            "l = none\nstate 0: none\nstate 1: l: none\nstate 2: toggle select: none\n"
            "selects state 1: l\n"
            "l+a = tab");
}

}  // namespace
}  // namespace zarvel
