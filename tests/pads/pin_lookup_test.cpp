#include "pads/pin_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "base/bad_thing.h"
#include "base/checked_alloc.h"
#include "config/circuit_pins.h"
#include "config/settings_files.h"
#include "hardware/pin_table.h"
#include "pads/control_pad.h"
#include "pads/parallel_port.h"
#include "support/recording_port.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

struct ParsePinDefTest : ::testing::Test {
  const PinDef& Parse(std::string_view text) { return ParsePinDef(text, "snes", combined, gate); }

  std::string Refusal(std::string_view text) {
    try {
      Parse(text);
    } catch (const BadThing& error) {
      return error.what();
    }
    return "accepted";
  }

  CombinedPinDefs combined;
  AllocationGate gate;
};

void ExpectPin(const PinDef& pin, int8_t reg, uint8_t mask, uint8_t inverted) {
  EXPECT_EQ(pin.reg, reg);
  EXPECT_EQ(pin.mask, mask);
  EXPECT_EQ(pin.inverted, inverted);
}

TEST_F(ParsePinDefTest, OnePinIsItsSharedTableEntry) {
  EXPECT_EQ(&Parse("7"), &PinTable[7]);
  EXPECT_EQ(&Parse("0"), &PinTable[kNoPin]);
  EXPECT_EQ(&Parse("11xyz"), &PinTable[11]);  // Digits up to the first other character.
  EXPECT_TRUE(combined.empty());
}

TEST_F(ParsePinDefTest, ListsJoinMasksAndTakeRegisterAndInversionFromTheLastPin) {
  ExpectPin(Parse("2,3,4"), kDataRegister, 0x07, 0);
  ExpectPin(Parse("14,16"), kControlRegister, 0x06, 0);
  ExpectPin(Parse("16,14"), kControlRegister, 0x06, 1);
  // Pins on different registers: control bits 0 and 1, that is pins 1 and 14, not data bit 0.
  ExpectPin(Parse("2,14"), kControlRegister, 0x03, 1);
  // Empty and blank pieces hold no pin and are skipped.
  ExpectPin(Parse(",5, ,6,"), kDataRegister, 0x18, 0);
  EXPECT_EQ(combined.size(), 5u);
}

TEST_F(ParsePinDefTest, AListIsAssertedInOneWrite) {
  ParallelPort port{0x378, {}};
  RecordingPort io;
  AssertPin(port, io, Parse("2,3,4"));
  EXPECT_EQ(io.Log(), (std::vector<PortAccess>{PortAccess::Out(0x378, 0x07)}));
}

TEST_F(ParsePinDefTest, RefusesPinsOutsideTheTableAndListsWithoutPins) {
  EXPECT_EQ(Refusal("18"), "\"18\" is not a valid pin definition for snes controller.\n");
  EXPECT_EQ(Refusal("-1"), "\"-1\" is not a valid pin definition for snes controller.\n");
  EXPECT_EQ(Refusal("2,19"), "\"2,19\" is not a valid pin definition for snes controller.\n");
  EXPECT_EQ(Refusal("99999999999"),
            "\"99999999999\" is not a valid pin definition for snes controller.\n");
  EXPECT_EQ(Refusal(","), "\",\" is not a valid pin definition for snes controller.\n");
  EXPECT_EQ(Refusal(" , ,"), "\" , ,\" is not a valid pin definition for snes controller.\n");
  EXPECT_TRUE(combined.empty());
}

TEST_F(ParsePinDefTest, AListThatCannotBeAllocatedEndsTheExecution) {
  gate.refuse = [](int32_t size) { return size == 3; };
  EXPECT_EQ(Refusal("2,3"), "Could not allocate 3 bytes.\n");
  EXPECT_EQ(&Parse("3"), &PinTable[3]);  // One pin needs no memory.
}

// A pad's pins looked up in a circuit file of the test's own.
struct LookupPinDefTest : ::testing::Test {
  void UseCircuits(std::string_view text) {
    files.circuitFile = SettingsText("circuits.ini", std::string(text));
  }

  const PinDef* Lookup(std::string_view kind, std::string_view item, int32_t padNumber) {
    ControlPad pad;
    pad.padNumber = padNumber;
    pad.files = &files;
    const PinDef* pin = nullptr;
    LookupPinDef(kind, item, pad, pin, combined, gate);
    return pin;
  }

  testing::TempDir dir;
  SettingsFiles files;
  CombinedPinDefs combined;
  AllocationGate gate;
};

TEST_F(LookupPinDefTest, ThePlainSectionComesFirstThenTheNumberedOnes) {
  UseCircuits("[snes]\nclock = 2\n[snes 2]\nclock = 3\n");
  EXPECT_EQ(Lookup("snes", "clock", 2), &PinTable[2]);

  UseCircuits("[snes 2]\nreset = 4\n[snes2]\nreset = 5\n");
  EXPECT_EQ(Lookup("snes", "reset", 2), &PinTable[5]);
  EXPECT_EQ(FindPinText(*files.circuitFile, "snes", 2, "reset")->text, "5");
  EXPECT_EQ(FindPinText(*files.circuitFile, "snes", 1, "reset"), std::nullopt);
}

TEST_F(LookupPinDefTest, AnItemASectionLacksIsFoundInALaterSection) {
  UseCircuits(
      "[snes]\nclock = 3\nreset = 4\npower = 5\n"
      "[snes 1]\ndata = 10\n"
      "[snes 2]\ndata = 11\n");
  EXPECT_EQ(Lookup("snes", "data", 1), &PinTable[10]);
  EXPECT_EQ(Lookup("snes", "data", 2), &PinTable[10]);
}

TEST_F(LookupPinDefTest, NumberedSectionsAloneGiveEachPadItsOwnPins) {
  UseCircuits("[nes 1]\ndata = 10\n[nes 2]\ndata = 11\n");
  EXPECT_EQ(Lookup("nes", "data", 1), &PinTable[10]);
  EXPECT_EQ(Lookup("nes", "data", 2), &PinTable[11]);
  // Another kind's sections are not the pad's.
  EXPECT_EQ(FindPinText(*files.circuitFile, "snes", 1, "data"), std::nullopt);
}

TEST_F(LookupPinDefTest, AMissingItemEndsTheProcess) {
  UseCircuits("[nes 1]\nclock = 3\n[snes 2]\ndata = 10\n");
  try {
    Lookup("nes", "data", 2);
    FAIL() << "the lookup returned";
  } catch (const ProcessEndingStop& stop) {
    // The stop names the circuit file and the sections it looked under.
    EXPECT_STREQ(stop.what(),
                 "Bad Thing: circuits.ini: Could not find pin definition \"data\" for nes "
                 "controller. Looked for under [nes], [nes2] and [nes 2].\n");
    EXPECT_EQ(stop.Place().file, "circuits.ini");
    EXPECT_EQ(stop.Place().item, "data");
  }
}

TEST_F(LookupPinDefTest, AnInvalidValueIsReportedWithTheKind) {
  UseCircuits("[nes]\npower = 5,,20\n");
  try {
    Lookup("nes", "power", 3);
    FAIL() << "the lookup returned";
  } catch (const BadThing& error) {
    EXPECT_STREQ(error.what(), "\"5,,20\" is not a valid pin definition for nes controller.\n");
  }
}

TEST_F(LookupPinDefTest, TheShippedKernelDocumentationCableGivesEveryPadItsPins) {
  const std::string shipped = ZARVEL_SOURCE_DIR "/data/circuits/joystick-parport.ini";
  files.circuitFile = ReadSettingsText(shipped, shipped);
  ASSERT_TRUE(files.circuitFile);
  const int32_t dataPins[] = {10, 11, 12, 13, 15};
  for (const std::string_view kind : {"snes", "nes"}) {
    for (int32_t pad = 1; pad <= 5; ++pad) {
      SCOPED_TRACE(std::string(kind) + " " + std::to_string(pad));
      EXPECT_EQ(Lookup(kind, "clock", pad), &PinTable[2]);
      EXPECT_EQ(Lookup(kind, "reset", pad), &PinTable[3]);
      EXPECT_EQ(Lookup(kind, "data", pad), &PinTable[dataPins[pad - 1]]);
      ExpectPin(*Lookup(kind, "power", pad), kDataRegister, 0xFC, 0);  // Pins 4 to 9.
    }
  }
}

}  // namespace
}  // namespace zarvel
