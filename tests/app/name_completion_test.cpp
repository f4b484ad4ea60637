#include "app/name_completion.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zarvel::testing {
namespace {

bool Offers(const std::optional<CompletionOffer>& offer, const std::string& name) {
  return offer && std::find(offer->names.begin(), offer->names.end(), name) != offer->names.end();
}

const std::vector<std::string> kKeys = {"alpha", "bravo"};

std::vector<std::string> Keys() {
  return kKeys;
}

TEST(NameCompletion, OffersTheItemsTheSectionsReaderReadsAtTheStartOfALine) {
  const std::optional<CompletionOffer> config = OfferCompletion("[config]", "Tick", Keys);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->typed, 4u);
  EXPECT_TRUE(Offers(config, "TickFreq"));
  EXPECT_TRUE(Offers(config, "8042Addr"));
  EXPECT_TRUE(Offers(config, "RepeatRate"));
  EXPECT_FALSE(Offers(config, "alpha"));

  const std::optional<CompletionOffer> nes = OfferCompletion("[NES 2]\r\n", "  se", Keys);
  EXPECT_TRUE(Offers(nes, "select"));
  EXPECT_TRUE(Offers(nes, "NumShifts"));
  EXPECT_FALSE(Offers(nes, "x"));  // An SNES button.
  EXPECT_TRUE(Offers(OfferCompletion("[snes3]", "x", Keys), "x"));

  // The gesture times, and a button's gestures once a "." or a "+" follows its name.
  EXPECT_TRUE(Offers(config, "HoldTime") && Offers(nes, "ChordTime"));
  EXPECT_TRUE(Offers(OfferCompletion("[snes]", "a.", Keys), "a.double"));
  EXPECT_TRUE(Offers(OfferCompletion("[snes]", "select.t", Keys), "select.tap"));
  EXPECT_TRUE(Offers(OfferCompletion("[snes]", "l+r+", Keys), "l+r+x"));
  EXPECT_TRUE(Offers(OfferCompletion("[snes]", "l+r = sp", Keys), "alpha"));
  EXPECT_FALSE(OfferCompletion("[snes]", "HoldTime = 2", Keys));

  EXPECT_FALSE(OfferCompletion("[config]", "; Tick", Keys));
  EXPECT_FALSE(OfferCompletion("[config]", "", Keys));
  EXPECT_FALSE(OfferCompletion("", "Tick", Keys));
  EXPECT_FALSE(OfferCompletion("[snesx]", "Num", Keys));
}

TEST(NameCompletion, OffersKeyNamesInAPadsButtonsAndButtonsInItsShifts) {
  const std::optional<CompletionOffer> afterComma = OfferCompletion("[snes]", "a = lctrl,", Keys);
  ASSERT_TRUE(afterComma);
  EXPECT_EQ(afterComma->typed, 0u);
  EXPECT_EQ(afterComma->names, kKeys);
  const std::optional<CompletionOffer> afterMode =
      OfferCompletion("[snes]", "a = a; pulse br", Keys);
  ASSERT_TRUE(afterMode);
  EXPECT_EQ(afterMode->typed, 2u);
  EXPECT_EQ(afterMode->names, kKeys);

  EXPECT_TRUE(Offers(OfferCompletion("[snes]", "Shifts = l, toggle s", Keys), "select"));
  EXPECT_FALSE(OfferCompletion("[snes]", "NumShifts = ", Keys));
  EXPECT_FALSE(OfferCompletion("[config]", "TickFreq = ", Keys));

  // Without a key file in the home directory, the shipped one's names.
  EXPECT_TRUE(Offers(CompletionOffer{0, KeyNamesOf("/nonexistent/")}, "kpenter"));
}

// Each new kind's sections offer its own buttons and items, and none of the others'.
TEST(NameCompletion, OffersTheButtonsAndItemsOfEachNewKind) {
  struct Case {
    const char* header;
    const char* typed;
    const char* offered;
    const char* notOffered;
  };
  const Case cases[] = {
      {"[psx]", "tri", "triangle", "fire"},     {"[psx 2]", "Analog", "AnalogThreshold", "x"},
      {"[psx3]", "l", "lright", "l"},           {"[genesis]", "mo", "mode", "fire"},
      {"[Genesis 5]", "s", "start", "select"},  {"[genesis2]", "st", "start", "AnalogThreshold"},
      {"[atari]", "fi", "fire2", "firex"},      {"[atari 4]", "r", "right", "r"},
      {"[config]", "Psx", "PsxDelay", "cross"},
  };
  for (const Case& c : cases) {
    const std::optional<CompletionOffer> offer = OfferCompletion(c.header, c.typed, Keys);
    EXPECT_TRUE(Offers(offer, c.offered)) << c.header << " " << c.offered;
    EXPECT_FALSE(Offers(offer, c.notOffered)) << c.header << " " << c.notOffered;
  }
}

}  // namespace
}  // namespace zarvel::testing
