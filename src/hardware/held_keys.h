#pragma once

#include <cstdint>
#include <vector>

#include "hardware/scan_code_decoder.h"
#include "hardware/scan_codes.h"

namespace zarvel {

// The keys that the scan-code bytes delivered to the system hold down, in the order they went
// down. Whatever carries the bytes (the PC's keyboard controller, the simulated one, the
// virtual keyboard) feeds it every byte it delivers, so at the end of an execution it can say
// what must still go out for no key to stay down.
class HeldKeys {
 public:
  // What one delivered byte did.
  struct Delivered {
    ScanCodeEvent event;
    // Whether the event's key was down before this byte: a make code then is the keyboard's
    // repeat, and a break code of a key that was not down lets nothing go.
    bool wasDown = false;
  };

  // Room for every key of the keyboard is taken now, so delivering never allocates.
  HeldKeys();

  Delivered Deliver(uint8_t byte);

  // Whether a prefix has been delivered and the rest of its scan code has not.
  bool InSequence() const { return decoder_.InSequence(); }
  // The keys down, the first pressed first.
  const std::vector<const ScanCodeKey*>& Keys() const { return keys_; }
  // Forgets every key and any unfinished scan code, as at the start of an execution.
  void Clear();

 private:
  ScanCodeDecoder decoder_;
  std::vector<const ScanCodeKey*> keys_;
};

// The bytes that let a held key go: its break code, or for the pause key, whose make code is
// a press and a release in one, the second half of that code.
ScanCodeBytes ReleaseBytes(const ScanCodeKey& key);

}  // namespace zarvel
