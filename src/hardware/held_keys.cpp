#include "hardware/held_keys.h"

#include <algorithm>

namespace zarvel {

HeldKeys::HeldKeys() {
  keys_.reserve(ScanCodeKeys().size());
}

HeldKeys::Delivered HeldKeys::Deliver(uint8_t byte) {
  const ScanCodeEvent event = decoder_.Decode(byte);
  if (event.kind != ScanCodeEvent::Kind::kKey) {
    return {event, false};
  }
  const auto held = std::find(keys_.begin(), keys_.end(), event.key);
  const bool wasDown = held != keys_.end();
  if (event.pressed && !wasDown) {
    keys_.push_back(event.key);
  } else if (!event.pressed && wasDown) {
    keys_.erase(held);
  }
  return {event, wasDown};
}

void HeldKeys::Clear() {
  decoder_ = ScanCodeDecoder();
  keys_.clear();
}

ScanCodeBytes ReleaseBytes(const ScanCodeKey& key) {
  if (key.form != ScanCodeForm::kPause) {
    return KeyUpBytes(key);
  }
  ScanCodeBytes bytes;
  bytes.bytes = {kPausePrefix, static_cast<uint8_t>(kPauseLeadCode | kBreakBit),
                 static_cast<uint8_t>(key.code | kBreakBit)};
  bytes.length = 3;
  return bytes;
}

}  // namespace zarvel
