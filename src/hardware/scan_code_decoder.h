#pragma once

#include <cstdint>
#include <string>

#include "hardware/scan_codes.h"

namespace zarvel {

// What one byte of a set-1 scan code stream means, given the bytes before it.
struct ScanCodeEvent {
  enum class Kind : uint8_t {
    kPrefix,     // A prefix, or the lead byte of the pause key: the key comes with a later byte.
    kKey,        // A key of the table went down or up.
    kFakeShift,  // The fake left shift that frames the print screen key.
    kUnknown,    // A code no key of the table sends.
  };

  Kind kind = Kind::kPrefix;
  const ScanCodeKey* key = nullptr;  // The key, for kKey.
  bool pressed = false;              // Down (make code) or up (break code), but for kPrefix.
};

// Turns a stream of scan-code bytes into key events, one byte at a time, remembering a prefix
// between the bytes it spans.
class ScanCodeDecoder {
 public:
  ScanCodeEvent Decode(uint8_t byte);

  // Whether a prefix has come and the key it begins has not yet.
  bool InSequence() const { return bytesToCome_ > 0; }

 private:
  // The bytes still to come of the sequence that a prefix began, and its prefix.
  uint8_t prefix_ = 0;
  uint8_t bytesToCome_ = 0;
};

// A few words for a person: "a pressed", "up released", "prefix", "fake shift pressed",
// "unknown key released".
std::string DescribeScanCodeEvent(const ScanCodeEvent& event);

}  // namespace zarvel
