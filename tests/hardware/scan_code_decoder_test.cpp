#include "hardware/scan_code_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarvel {
namespace {

std::vector<std::string> Decoded(ScanCodeDecoder& decoder, std::vector<uint8_t> bytes) {
  std::vector<std::string> texts;
  for (const uint8_t byte : bytes) {
    texts.push_back(DescribeScanCodeEvent(decoder.Decode(byte)));
  }
  return texts;
}

using Texts = std::vector<std::string>;

TEST(ScanCodeDecoder, ReadsEveryKeyBackFromItsOwnBytes) {
  ScanCodeDecoder decoder;
  for (const ScanCodeKey& key : ScanCodeKeys()) {
    for (const bool down : {true, false}) {
      const ScanCodeBytes bytes = down ? KeyDownBytes(key) : KeyUpBytes(key);
      std::vector<ScanCodeEvent> keyEvents;
      for (const uint8_t byte : bytes.View()) {
        const ScanCodeEvent event = decoder.Decode(byte);
        if (event.kind == ScanCodeEvent::Kind::kKey) {
          keyEvents.push_back(event);
        } else {
          EXPECT_TRUE(event.kind == ScanCodeEvent::Kind::kPrefix ||
                      event.kind == ScanCodeEvent::Kind::kFakeShift)
              << key.name;
        }
      }
      // The pause key goes down and up in one go; it sends nothing on release.
      const size_t expected = key.form == ScanCodeForm::kPause ? (down ? 2 : 0) : 1;
      ASSERT_EQ(keyEvents.size(), expected) << key.name;
      for (size_t i = 0; i < keyEvents.size(); ++i) {
        EXPECT_EQ(keyEvents[i].key, &key) << key.name;
        EXPECT_EQ(keyEvents[i].pressed, key.form == ScanCodeForm::kPause ? i == 0 : down)
            << key.name;
      }
    }
  }
}

TEST(ScanCodeDecoder, KeepsThePrefixForTheByteAfterIt) {
  ScanCodeDecoder decoder;
  EXPECT_EQ(
      Decoded(decoder, {0xE0, 0x48, 0x48, 0xE0, 0xC8, 0xC8}),
      (Texts{"prefix", "up pressed", "kp8 pressed", "prefix", "up released", "kp8 released"}));
  EXPECT_EQ(Decoded(decoder, {0xE0, 0x2A, 0xE0, 0x37, 0xE0, 0xB7, 0xE0, 0xAA}),
            (Texts{"prefix", "fake shift pressed", "prefix", "printscreen pressed", "prefix",
                   "printscreen released", "prefix", "fake shift released"}));
  EXPECT_EQ(Decoded(decoder, {0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5, 0x1D}),
            (Texts{"prefix", "prefix", "pause pressed", "prefix", "prefix", "pause released",
                   "lctrl pressed"}));
  // An unfinished sequence gives way to the next prefix.
  EXPECT_EQ(Decoded(decoder, {0xE1, 0xE0, 0x4B, 0x7F, 0xE0, 0x01}),
            (Texts{"prefix", "prefix", "left pressed", "unknown key pressed", "prefix",
                   "unknown key pressed"}));
}

}  // namespace
}  // namespace zarvel
