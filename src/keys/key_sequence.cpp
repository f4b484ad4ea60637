#include "keys/key_sequence.h"

#include <algorithm>

namespace zarvel {

void AllocateKeySequence(KeySequence& sequence, const AllocationGate& allocation, int32_t room) {
  sequence.bytes = CheckedAlloc(allocation, room);
  sequence.room = room;
  sequence.length = 0;
}

std::span<const uint8_t> KeyBytes(const KeySequence& sequence) {
  if (sequence.bytes == nullptr || sequence.length <= 0) {
    return {};
  }
  const int32_t length = std::min(sequence.length, sequence.room);
  return {sequence.bytes.get(), static_cast<size_t>(length)};
}

bool AppendKeyBytes(KeySequence& sequence, std::span<const uint8_t> more) {
  const int32_t held = static_cast<int32_t>(KeyBytes(sequence).size());
  if (more.size() > static_cast<size_t>(sequence.room - held)) {
    return false;
  }
  std::copy(more.begin(), more.end(), sequence.bytes.get() + held);
  sequence.length = held + static_cast<int32_t>(more.size());
  return true;
}

}  // namespace zarvel
