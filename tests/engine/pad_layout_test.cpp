#include "engine/pad_layout.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarvel
