#pragma once

#include <cstdint>
#include <memory>

#include "base/checked_alloc.h"
#include "keys/key_sequence.h"

namespace zarvel {

// The bytes one table entry can hold: everything a button sends in one direction in one shift
// state. A button definition that would put more into one entry is refused when it is read.
inline constexpr int32_t kKeyTableEntryRoom = 16;

// One pad's byte sequences for one direction (key down or key up), by shift state and button.
// Every entry is built empty when the pad is configured and takes its room at its first
// non-empty append, so the tick only ever reads the table.
struct KeyTable {
  int32_t rowCount = 0;     // Shift states: the pad's numShifts + 1.
  int32_t buttonCount = 0;  // Entries in each row, one per button index.
  std::unique_ptr<std::unique_ptr<KeySequence[]>[]> rows;
};

// The entry of one shift state and one button. Both must lie inside the table.
inline KeySequence& KeyTableEntry(KeyTable& table, int32_t row, int32_t button) {
  return table.rows[static_cast<size_t>(row)][static_cast<size_t>(button)];
}
inline const KeySequence& KeyTableEntry(const KeyTable& table, int32_t row, int32_t button) {
  return table.rows[static_cast<size_t>(row)][static_cast<size_t>(button)];
}

// Adds a sequence's bytes at the end of an entry, taking the entry's room first when it has
// none and the sequence is not empty. Returns false, and adds nothing, when the bytes would not
// fit in the entry's room; the caller names the button in its refusal.
[[nodiscard]] bool AppendKeySequence(KeyTable& table, const KeySequence& sequence, int32_t button,
                                     int32_t row, const AllocationGate& allocation);

}  // namespace zarvel
