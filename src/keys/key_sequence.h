#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "base/checked_alloc.h"

namespace zarvel {

// A counted sequence of scan-code bytes in storage of fixed room: a key definition's down or up
// list, an entry of a pad's key table, or the staging area a button event passes through. The
// room is taken once, when the execution is configured; afterwards the sequence is filled and
// emptied in place, so the tick can stage and queue bytes without allocating.
struct KeySequence {
  int32_t length = 0;                // Bytes in force.
  int32_t room = 0;                  // Bytes the storage can hold; 0 while there is none.
  std::unique_ptr<uint8_t[]> bytes;  // The bytes, in sending order; none until room is taken.
};

// Gives the sequence storage of its own for `room` bytes through CheckedAlloc (so a refusal
// ends the execution) and empties it. Storage it had before is released.
void AllocateKeySequence(KeySequence& sequence, const AllocationGate& allocation, int32_t room);

// The bytes in force. A length outside 0 to the room is held to it, so a sequence whose
// length was set by hand can never be read past its storage.
std::span<const uint8_t> KeyBytes(const KeySequence& sequence);

// Adds bytes at the end when all of them fit in the room and returns true; otherwise adds
// nothing and returns false, so the caller can say what did not fit. Never allocates.
bool AppendKeyBytes(KeySequence& sequence, std::span<const uint8_t> more);

}  // namespace zarvel
