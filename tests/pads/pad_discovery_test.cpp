#include "pads/pad_discovery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bad_thing.h"
#include "engine/execution_thread.h"
#include "engine/process_state.h"
#include "engine/run_block.h"
#include "hardware/pin_table.h"
#include "support/fake_host.h"
#include "support/quiet_buttons.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

constexpr uint16_t kData = 0x378;
constexpr uint16_t kStatus = 0x379;

// Every pad kind wired the same: clock pin 3, latch pin 4, power pins 5 to 9, data pin 10.
constexpr std::string_view kCircuits =
    "[snes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 10\n"
    "[nes]\nclock = 3\nreset = 4\npower = 5,6,7,8,9\ndata = 10\n";

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// An execution's files in a directory of their own, opened as the execution opens them.
struct DiscoveryTest : ::testing::Test {
  // Every pad section gets quiet buttons, which need the key "none".
  void Open(std::string_view document, std::string_view global = "",
            std::string_view circuits = kCircuits) {
    dir.Write("home/zarvel.ini",
              global.empty() ? std::string() : std::string(global) + testing::kQuietButtons.data());
    dir.Write("home/circuits.ini", circuits);
    dir.Write("home/keys.cfg", "0 0 none\n");
    state.files.localName =
        dir.Write("document.ini", std::string(document) + testing::kQuietButtons.data());
    state.files.circuitName = "circuits.ini";
    OpenSettingsFiles(state.files, state.trace, dir.Slash() + "home/");
    LoadKeyDefinitions(state.files, state.allocation, state.keyDefinitions);
    state.port.base = kData;
    state.trace.sink = &host;
    host.trace.clear();
  }

  std::string Discover() {
    try {
      DiscoverExecutionPads(state, host.port);
    } catch (const BadThing& error) {
      return error.what();
    } catch (const ProcessEndingStop& stop) {
      return std::string("stop: ") + stop.what();
    }
    return "";
  }

  // "snes 2" for every pad configured, in order.
  std::vector<std::string> PadsFound() const {
    std::vector<std::string> found;
    for (int16_t i = 0; i < state.PadCount; ++i) {
      const ControlPad& pad = state.Pads[static_cast<size_t>(i)];
      found.push_back((pad.buttonCount == 12 ? "snes " : "nes ") + std::to_string(pad.padNumber));
    }
    return found;
  }

  testing::TempDir dir;
  ProcessState state;
  RunBlock runBlock;
  testing::FakeHost host{runBlock};
};

using Names = std::vector<std::string>;

TEST_F(DiscoveryTest, AnOnlyNesTwoSectionIsOneNesPadNumberedTwo) {
  Open("[nes 2]\n");
  EXPECT_EQ(Discover(), "");
  EXPECT_EQ(PadsFound(), (Names{"nes 2"}));
  EXPECT_EQ(state.Pads[0].files, &state.files);
}

TEST_F(DiscoveryTest, SnesPadsComeFirstInTheOrderOfTheirHeaders) {
  Open("[nes 1]\n[snes 3]\n[snes]\n[nes5]\n[snes6]\n[snes0]\n[nes 3]\n", "[snes 1]\n[nes4]\n");
  EXPECT_EQ(Discover(), "");
  // A section only the global file has still makes a pad; numbers 0 and 6 never do.
  EXPECT_EQ(PadsFound(), (Names{"snes 1", "snes 1", "snes 3", "nes 1", "nes 3", "nes 4", "nes 5"}));
}

TEST_F(DiscoveryTest, EveryHeaderMakesAPadOfItsOwn) {
  Open("[snes]\n[snes1]\n[snes 1]\n");
  EXPECT_EQ(Discover(), "");
  EXPECT_EQ(PadsFound(), (Names{"snes 1", "snes 1", "snes 1"}));
}

TEST_F(DiscoveryTest, NinePadsAreAllowedAndATenthEndsTheExecutionAfterItsTrace) {
  const std::string nine =
      "[snes]\n[snes1]\n[snes 1]\n[snes2]\n[snes 2]\n[snes3]\n[nes]\n[nes 4]\n[nes5]\n";
  Open(nine);
  EXPECT_EQ(Discover(), "");
  EXPECT_EQ(state.PadCount, 9);
  EXPECT_TRUE(EndsWith(host.trace, "\300 Done\n"));

  state.PadCount = 0;
  Open(nine + "[nes 5]\n");
  EXPECT_EQ(Discover(), "Maximum number of controllers exceded.\n");
  EXPECT_TRUE(EndsWith(host.trace, "\263   Found nes pad 5...\n")) << host.trace;
  EXPECT_EQ(state.PadCount, 9);
}

TEST_F(DiscoveryTest, NoPadSectionEndsTheExecution) {
  Open("[config]\n[snes 6]\n[nes 0]\n[pad 1]\n");
  EXPECT_EQ(Discover(), "Could not find any control pad info in ini file.\n");
  EXPECT_TRUE(host.port.Log().empty());
}

TEST_F(DiscoveryTest, InitialisationSetsNamesAndPinsAndReadsOnce) {
  Open("[nes 3]\n");
  ControlPad& pad = state.Pads[0];
  pad.out[0] = 1;
  pad.toggle[7] = 3;
  pad.repeatPeriod[0] = 3;
  EXPECT_EQ(Discover(), "");
  EXPECT_EQ(pad.clockPin, &PinTable[3]);
  EXPECT_EQ(pad.latchPin, &PinTable[4]);
  EXPECT_EQ(pad.dataPin, &PinTable[10]);
  EXPECT_EQ(pad.powerPin->mask, 0xF8);
  EXPECT_EQ(pad.out[0], 0);
  EXPECT_EQ(pad.toggle[7], 0);
  EXPECT_EQ(pad.repeatPeriod[0], 11);  // Set again by the button configuration: RepeatRate 10.
  const std::vector<std::string> names(pad.buttonNames.begin(), pad.buttonNames.begin() + 8);
  EXPECT_EQ(names, (Names{"a", "b", "select", "start", "up", "down", "left", "right"}));
  EXPECT_EQ(pad.buttonNames[8], nullptr);
  // Without InternalPower the power line is never driven: the read is all there is.
  EXPECT_EQ(host.port.Log().size(), 2u + 3u * 8u);
}

TEST_F(DiscoveryTest, InternalPowerDrivesThePowerLineBeforeTheRead) {
  Open("[snes]\n");
  state.config.internalPower = true;
  EXPECT_EQ(Discover(), "");
  ASSERT_EQ(host.port.Log().size(), 1u + 2u + 3u * 12u);
  EXPECT_EQ(host.port.Log().front(), PortAccess::Out(kData, 0xF8));
  EXPECT_NE(
      host.trace.find("\263   Found snes pad 1...\n\263      Powering up SNES pad 1...Done\n"),
      std::string::npos)
      << host.trace;
}

TEST_F(DiscoveryTest, APadThatDoesNotAnswerStopsAccordingToItsKind) {
  constexpr uint8_t kAckLow = 0xBF;
  Open("[snes]\n");
  host.port.AnswerAlways(kStatus, kAckLow);
  EXPECT_EQ(Discover(), "The SNES controller does not seem to be connected.\n");

  state.PadCount = 0;
  Open("[nes]\n");
  EXPECT_EQ(Discover(), "stop: Bad Thing: The NES controller does not seem to be connected.\n");
}

TEST_F(DiscoveryTest, UpWithLeftPassesTheConnectedTest) {
  constexpr uint8_t kAckLow = 0xBF;
  Open("[nes]\n");
  host.port.Script(kStatus, {0xFF, 0xFF, 0xFF, 0xFF, kAckLow, 0xFF, kAckLow, 0xFF});
  EXPECT_EQ(Discover(), "");
  EXPECT_EQ(state.Pads[0].raw, (PerButton<uint8_t>{0, 0, 0, 0, 1, 0, 1, 0}));
}

TEST_F(DiscoveryTest, PinItemsAreRequiredEvenWithoutInternalPower) {
  Open("[snes 2]\n", "", "[snes 2]\nclock = 3\nreset = 4\ndata = 10\n");
  EXPECT_EQ(Discover(),
            "stop: Bad Thing: " + dir.Slash() + "home/" +
                "circuits.ini: Could not find pin definition \"power\" for snes controller. "
                "Looked for under [snes], [snes2] and [snes 2].\n");
  EXPECT_TRUE(host.port.Log().empty());
}

}  // namespace
}  // namespace zarvel
