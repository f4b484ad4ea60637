#include "keys/key_table.h"

namespace zarvel {

bool AppendKeySequence(KeyTable& table, const KeySequence& sequence, int32_t button, int32_t row,
                       const AllocationGate& allocation) {
  const std::span<const uint8_t> bytes = KeyBytes(sequence);
  if (bytes.empty()) {
    return true;
  }
  KeySequence& entry = KeyTableEntry(table, row, button);
  if (entry.bytes == nullptr) {
    AllocateKeySequence(entry, allocation, kKeyTableEntryRoom);
  }
  return AppendKeyBytes(entry, bytes);
}

}  // namespace zarvel
