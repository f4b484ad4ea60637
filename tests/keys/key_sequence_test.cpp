#include "keys/key_sequence.h"

#include <gtest/gtest.h>

#include <vector>

namespace zarvel {
namespace {

std::vector<uint8_t> Held(const KeySequence& sequence) {
  const std::span<const uint8_t> bytes = KeyBytes(sequence);
  return {bytes.begin(), bytes.end()};
}

TEST(KeySequence, AppendsOnlyWhatFitsInItsRoom) {
  KeySequence sequence;
  AllocateKeySequence(sequence, AllocationGate{}, 4);
  const uint8_t three[] = {0xE0, 0x2A, 0xE0};
  const uint8_t two[] = {0x37, 0x00};
  const uint8_t one[] = {0x37};

  EXPECT_TRUE(AppendKeyBytes(sequence, three));
  EXPECT_FALSE(AppendKeyBytes(sequence, two));
  EXPECT_EQ(Held(sequence), (std::vector<uint8_t>{0xE0, 0x2A, 0xE0}));
  EXPECT_TRUE(AppendKeyBytes(sequence, one));
  EXPECT_EQ(Held(sequence), (std::vector<uint8_t>{0xE0, 0x2A, 0xE0, 0x37}));
  EXPECT_FALSE(AppendKeyBytes(sequence, one));

  // Emptied in place, the room is there again without a new allocation.
  sequence.length = 0;
  EXPECT_TRUE(AppendKeyBytes(sequence, two));
  EXPECT_EQ(Held(sequence), (std::vector<uint8_t>{0x37, 0x00}));
}

TEST(KeySequence, NeverReadsPastItsStorage) {
  KeySequence none;
  none.length = 5;
  EXPECT_TRUE(KeyBytes(none).empty());
  const uint8_t one[] = {0x1E};
  EXPECT_FALSE(AppendKeyBytes(none, one));

  KeySequence sequence;
  AllocateKeySequence(sequence, AllocationGate{}, 2);
  sequence.length = 100;
  EXPECT_EQ(KeyBytes(sequence).size(), 2u);
  sequence.length = -3;
  EXPECT_TRUE(KeyBytes(sequence).empty());
}

}  // namespace
}  // namespace zarvel
