#include "mapping/button_configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/configured_pad.h"

namespace zarvel {
namespace {

using testing::ConfiguredPad;
using Bytes = std::vector<uint8_t>;
using namespace testing;  // NOLINT: the SNES button indices.

TEST(ButtonConfiguration, TheExampleSectionBuildsItsTablesAndSettings) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 1\nShifts = toggle select\nRepeatRate = 15\n"
                                 "a = a;lshift,a\nb = pulse esc\nx = repeat(10) b\n"),
            "");
  const ControlPad& pad = configured.pad;
  EXPECT_EQ(pad.numShifts, 1);
  EXPECT_EQ(pad.keyDown.rowCount, 2);
  EXPECT_EQ(pad.keyUp.rowCount, 2);
  EXPECT_EQ(pad.keyDown.buttonCount, 12);

  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesA), (Bytes{0x1E}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesA), (Bytes{0x9E}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 1, kSnesA), (Bytes{0x2A, 0x1E}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 1, kSnesA), (Bytes{0xAA, 0x9E}));
  // A pulse taps its key at the press and sends nothing at the release.
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesB), (Bytes{0x01, 0x81}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesB), Bytes{});
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 1, kSnesB), Bytes{});
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesX), (Bytes{0x30}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesX), (Bytes{0xB0}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesSelect), Bytes{});

  EXPECT_EQ(pad.repeatCount[kSnesX], 1);
  EXPECT_EQ(pad.repeatPeriod[kSnesX], 11);
  EXPECT_EQ(pad.repeatCount[kSnesA], 0);
  EXPECT_EQ(pad.repeatPeriod[kSnesA], 6);
  EXPECT_EQ(pad.repeatPeriod[kSnesR], 6);
  EXPECT_EQ(pad.shiftButtons[0], kSnesSelect);
  EXPECT_EQ(pad.toggle[kSnesSelect], 1);
  EXPECT_EQ(pad.toggle[kSnesA], 0);
}

TEST(ButtonConfiguration, TokensChooseTheirModeByHowTheyBegin) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("a = left a\nb = pulsed\ny = repeat a\nx = a, b\nr = a;\n"
                                 "l = repeat(20) b\nstart = repeat(1) b\n"),
            "");
  const ControlPad& pad = configured.pad;
  // A first word that is no keyword is passed over.
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesA), (Bytes{0x1E}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesA), (Bytes{0x9E}));
  // A key whose name begins with a keyword takes that keyword's mode.
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesB), (Bytes{0x14, 0x94}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesB), Bytes{});
  // "repeat" alone keeps the pad's period.
  EXPECT_EQ(pad.repeatCount[kSnesY], 1);
  EXPECT_EQ(pad.repeatPeriod[kSnesY], 11);
  // Blanks after a separator are skipped; several keys of one state add up in order.
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesX), (Bytes{0x1E, 0x30}));
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyUp, 0, kSnesX), (Bytes{0x9E, 0xB0}));
  // Nothing after the last semicolon is nothing more.
  EXPECT_EQ(ConfiguredPad::Entry(pad.keyDown, 0, kSnesR), (Bytes{0x1E}));
  EXPECT_EQ(pad.repeatPeriod[kSnesL], 1);
  EXPECT_EQ(pad.repeatPeriod[kSnesStart], 20);
}

TEST(ButtonConfiguration, TheRepeatRateOfThePadWinsOverTheOneOfConfig) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("", "[config]\nRepeatRate = 20\n"), "");
  EXPECT_EQ(configured.pad.repeatPeriod[0], 1);
  ASSERT_EQ(configured.Configure("RepeatRate = 1\n", "[config]\nRepeatRate = 20\n"), "");
  EXPECT_EQ(configured.pad.repeatPeriod[0], 20);
  EXPECT_EQ(configured.pad.repeatPeriod[11], 20);
}

TEST(ButtonConfiguration, ShiftButtonsComeInTheirStatesOrder) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 2\nShifts = toggle select,l\n"), "");
  EXPECT_EQ(configured.pad.shiftButtons[0], kSnesSelect);
  EXPECT_EQ(configured.pad.shiftButtons[1], kSnesL);
  EXPECT_EQ(configured.pad.toggle[kSnesSelect], 1);
  EXPECT_EQ(configured.pad.toggle[kSnesL], 0);

  // Tokens past the number of shift states are not read.
  ASSERT_EQ(configured.Configure("NumShifts = 1\nShifts = l; jump\n"), "");
  EXPECT_EQ(configured.pad.shiftButtons[0], kSnesL);
  EXPECT_EQ(configured.pad.keyDown.rowCount, 2);

  // Without shift states, Shifts is not read at all.
  ASSERT_EQ(configured.Configure("Shifts = jump\n"), "");
  EXPECT_EQ(configured.pad.keyDown.rowCount, 1);
}

TEST(ButtonConfiguration, TracesEachTableAndTheButtons) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure("NumShifts = 2\nShifts = l,r\n"), "");
  const std::string table =
      "\263       \263   Mallocing shift part of key table.\n"
      "\263       \263   Mallocing button part of key table. [\376\376\376]\n"
      "\263       \300 Done\n";
  EXPECT_EQ(configured.host.trace, "\263       \332 Creating key down table...\n" + table +
                                       "\263       \332 Creating key up table...\n" + table +
                                       "\263      Reading button config data...Done\n");
}

// A pad section, and the message its configuration ends the execution with ("" for none).
struct SectionCase {
  const char* section;
  const char* config;
  std::string message;
};

constexpr const char* kRate10 = "[config]\nRepeatRate = 10\n";
constexpr const char* kRepeatRange =
    "\"repeat(n)\" is out of range. Values should range from 1 to 20.\n";
constexpr const char* kRateRange =
    "\"RepeatRate\" is out of range. Values should range from 1 to 20.\n";
constexpr const char* kShiftsRange =
    "\"NumShifts\" is out of range. Values should range from 0 to 4.\n";
constexpr const char* kEmptyKeyName = "Could not find key definition for \"\".\n";
constexpr const char* kUnknownShift = "Unrecognized button name in shift definition. ";

const SectionCase kSectionCases[] = {
    SectionCase{"y = a;b\n", kRate10,
                "Tried to assign more than 0 shift states to \"y\" button.\n"},
    SectionCase{"NumShifts = 1\nShifts = l\nb = a;b;a\n", kRate10,
                "Tried to assign more than 1 shift states to \"b\" button.\n"},
    SectionCase{"a = a ,b\n", kRate10, kEmptyKeyName},
    SectionCase{"a = a,,b\n", kRate10, kEmptyKeyName},
    SectionCase{"a = jump\n", kRate10, "Could not find key definition for \"jump\".\n"},
    // A name longer than any key's is looked up whole, never cut to the name of another.
    SectionCase{"a = longkeynamex\n", kRate10,
                "Could not find key definition for \"longkeynamex\".\n"},
    SectionCase{"NumShifts = 1\n", kRate10,
                "Could not find item \"Shifts\" in section \"[snes]\"\n"},
    SectionCase{"", "[config]\n", "Could not find item \"RepeatRate\" in section \"[config]\"\n"},
    SectionCase{"RepeatRate = 0\n", kRate10, kRateRange},
    SectionCase{"", "[config]\nRepeatRate = 21\n", kRateRange},
    SectionCase{"a = repeat(0) a\n", kRate10, kRepeatRange},
    SectionCase{"a = repeat(21) a\n", kRate10, kRepeatRange},
    // "repeat(" without a number reads as 0.
    SectionCase{"a = repeat( a\n", kRate10, kRepeatRange},
    SectionCase{"a = repeat(x) a\n", kRate10, kRepeatRange},
    // Tables and shift buttons have room for four shift states.
    SectionCase{"NumShifts = 5\n", kRate10, kShiftsRange},
    SectionCase{"NumShifts = -1\n", kRate10, kShiftsRange},
    SectionCase{"NumShifts = 257\n", kRate10, kShiftsRange},
    SectionCase{"NumShifts = 1\nShifts = toggle\n", kRate10,
                std::string(kUnknownShift) + "\"toggle\" names no button of the pad.\n"},
    SectionCase{"NumShifts = 1\nShifts = toggle x\n", kRate10, ""},
    SectionCase{"NumShifts = 1\nShifts = jump\n", kRate10,
                std::string(kUnknownShift) + "\"jump\" names no button of the pad.\n"},
    SectionCase{"NumShifts = 2\nShifts = l\n", kRate10,
                std::string(kUnknownShift) + "Nothing names the button of shift state 2.\n"},
    // Sixteen bytes fit one entry; the seventeenth does not, plain or pulsed.
    SectionCase{"a = printscreen,printscreen,printscreen,printscreen\n", kRate10, ""},
    SectionCase{"a = printscreen,printscreen,printscreen,printscreen,a\n", kRate10,
                "Too many key codes for \"a\" button.\n"},
    SectionCase{"x = pulse printscreen,pulse printscreen,pulse a\n", kRate10,
                "Too many key codes for \"x\" button.\n"},
    // Each shift state has an entry of its own.
    SectionCase{"NumShifts = 1\nShifts = l\n"
                "a = printscreen,printscreen,printscreen,printscreen;printscreen,printscreen\n",
                kRate10, ""},
};

TEST(ButtonConfiguration, EachSectionEndsWithItsMessageOrNone) {
  for (const SectionCase& section : kSectionCases) {
    ConfiguredPad configured;
    EXPECT_EQ(configured.Configure(section.section, section.config), section.message)
        << section.section;
  }
}

TEST(ButtonConfiguration, MissingItemsAreNamedWithTheirSection) {
  for (const std::string item : {"NumShifts", "x", "select"}) {
    ConfiguredPad configured;
    EXPECT_EQ(configured.Configure("", "[config]\nRepeatRate = 10\n", item),
              "Could not find item \"" + item + "\" in section \"[snes]\"\n");
  }
}

TEST(ButtonConfiguration, AnEntryThatCannotHaveItsRoomEndsTheExecution) {
  ConfiguredPad configured;
  ASSERT_EQ(configured.Configure(""), "");
  // The first append of bytes to an entry takes the entry's room.
  configured.state.allocation.refuse = [](int32_t size) { return size == kKeyTableEntryRoom; };
  const std::string message = testing::BadThingMessage([&] {
    std::string value = "a";
    SplitButtonDefinition(kSnesA, value, configured.pad, configured.Setup());
  });
  EXPECT_EQ(message, "Could not allocate 16 bytes.\n");
}

}  // namespace
}  // namespace zarvel
