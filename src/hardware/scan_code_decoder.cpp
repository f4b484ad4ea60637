#include "hardware/scan_code_decoder.h"

namespace zarvel {
namespace {

// After kExtendedPrefix one more byte completes the key; after kPausePrefix two do.
constexpr uint8_t kBytesAfterExtendedPrefix = 1;
constexpr uint8_t kBytesAfterPausePrefix = 2;

}  // namespace

ScanCodeEvent ScanCodeDecoder::Decode(uint8_t byte) {
  using Kind = ScanCodeEvent::Kind;
  // A prefix always begins a new sequence, even inside one that was left unfinished.
  if (byte == kExtendedPrefix || byte == kPausePrefix) {
    prefix_ = byte;
    bytesToCome_ = byte == kExtendedPrefix ? kBytesAfterExtendedPrefix : kBytesAfterPausePrefix;
    return {Kind::kPrefix, nullptr, false};
  }

  uint8_t prefix = 0;
  if (bytesToCome_ > 0) {
    if (--bytesToCome_ > 0) {
      // The lead byte of the pause key: the code follows.
      return {Kind::kPrefix, nullptr, false};
    }
    prefix = prefix_;
    prefix_ = 0;
  }

  const bool pressed = (byte & kBreakBit) == 0;
  const auto code = static_cast<uint8_t>(byte & ~kBreakBit);
  if (prefix == kExtendedPrefix && code == kFakeShiftCode) {
    return {Kind::kFakeShift, nullptr, pressed};
  }
  const ScanCodeKey* key = FindScanCodeKey(prefix, code);
  if (key == nullptr) {
    return {Kind::kUnknown, nullptr, pressed};
  }
  return {Kind::kKey, key, pressed};
}

std::string DescribeScanCodeEvent(const ScanCodeEvent& event) {
  const char* const edge = event.pressed ? " pressed" : " released";
  switch (event.kind) {
    case ScanCodeEvent::Kind::kPrefix:
      return "prefix";
    case ScanCodeEvent::Kind::kKey:
      return std::string(event.key->name) + edge;
    case ScanCodeEvent::Kind::kFakeShift:
      return std::string("fake shift") + edge;
    case ScanCodeEvent::Kind::kUnknown:
      return std::string("unknown key") + edge;
  }
  return "";
}

}  // namespace zarvel
