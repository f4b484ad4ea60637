#pragma once

#include <cstdint>
#include <memory>

#include "base/checked_alloc.h"
#include "keys/key_sequence.h"

namespace zarvel {

class HeldKeys;
class PortIo;
struct ConfigSettings;
struct TraceState;

// The scan-code bytes waiting for the keyboard controller: a ring of fixed size, filled by the
// tick's button processing and drained one byte per tick. It is empty exactly when its head
// equals its tail, so it holds at most Size() - 1 bytes, and it never holds a zero byte.
class KeyQueue {
 public:
  // Makes the queue empty, with a new ring of `size` bytes taken through CheckedAlloc. A size
  // outside kSmallestKeyQueue to kLargestKeyQueue ends the execution with the range message.
  void Init(int32_t size, const AllocationGate& allocation, TraceState& trace);

  // Adds one byte; a zero byte is dropped. A push into a ring that already holds Size() - 1
  // bytes is refused only after the fact: the byte is stored in the last free slot and the tail
  // moves onto the head, which is how an empty ring looks, and then the execution ends with
  // "Add to a full key queue.\n". So every byte the queue held is lost with the refused one and
  // the queue reads as empty; nothing is sent any more by that execution, and the next one
  // makes a new ring.
  void Push(uint8_t byte);

  // Adds the sequence's bytes in order, each as Push does. Nothing is allocated.
  void PushSequence(const KeySequence& sequence);

  // Takes the oldest byte. An empty queue ends the execution.
  uint8_t Pop();

  bool Empty() const { return head_ == tail_; }
  // How many more bytes can be pushed before the queue is full.
  int32_t Room() const {
    const int32_t held = tail_ >= head_ ? tail_ - head_ : tail_ + size_ - head_;
    return size_ > 0 ? size_ - 1 - held : 0;
  }
  // The bytes in the ring, one more than it can hold.
  int32_t Size() const { return size_; }
  // Drops every byte held.
  void Clear() { head_ = tail_; }

 private:
  // The next index round the ring; a comparison is cheaper than a division in the tick.
  int32_t Next(int32_t index) const { return index + 1 == size_ ? 0 : index + 1; }
  bool HoldsIndex(int32_t index) const { return index >= 0 && index < size_; }

  int32_t head_ = 0;  // Index of the oldest byte held, the next one to send.
  int32_t tail_ = 0;  // Index at which the next pushed byte is stored.
  int32_t size_ = 0;  // Bytes in the ring, from KeyQueueSize.
  std::unique_ptr<uint8_t[]> buffer_;
};

// Sends one byte through the execution's injection method, and tells `delivered`, which keeps
// what the bytes sent so far hold down.
void SendKey(uint8_t byte, const ConfigSettings& config, PortIo& port, HeldKeys& delivered);

// Sends the oldest byte, if there is one, as SendKey does. An empty queue leaves the ports
// untouched.
void SendQueuedKey(KeyQueue& queue, const ConfigSettings& config, PortIo& port,
                   HeldKeys& delivered);

}  // namespace zarvel
