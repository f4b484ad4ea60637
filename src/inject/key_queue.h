#pragma once

#include <cstdint>
#include <memory>

#include "base/checked_alloc.h"
#include "keys/key_sequence.h"

namespace zarvel {

class PortIo;
struct ConfigSettings;
struct TraceState;

// The scan-code bytes waiting for the keyboard controller: a ring of fixed size, filled by the
// tick's button processing and drained one byte per tick. It is empty exactly when `head`
// equals `tail`, so it holds at most `size` - 1 bytes, and it never holds a zero byte.
struct KeyQueue {
  int32_t head = 0;  // Index of the oldest byte held, the next one to send.
  int32_t tail = 0;  // Index at which the next pushed byte is stored.
  int32_t size = 0;  // Bytes in the ring, from KeyQueueSize.
  std::unique_ptr<uint8_t[]> buffer;
};

// Creates an empty queue with a new ring of `size` bytes, taken through CheckedAlloc.
void InitKeyQueue(KeyQueue& queue, int32_t size, const AllocationGate& allocation,
                  TraceState& trace);

// Adds one byte; a zero byte is dropped. A push that fills the ring to its last byte ends the
// execution with "Add to a full key queue.\n"; what was pushed before stays queued.
void PushKey(KeyQueue& queue, uint8_t byte);

// Adds the sequence's bytes in order, each as PushKey does. Nothing is allocated.
void PushKeySequence(KeyQueue& queue, const KeySequence& sequence);

// Takes the oldest byte. An empty queue ends the execution.
uint8_t PopKey(KeyQueue& queue);

// Sends the oldest byte, if there is one, through the execution's injection method. An empty
// queue leaves the ports untouched.
void SendQueuedKey(KeyQueue& queue, const ConfigSettings& config, PortIo& port);

}  // namespace zarvel
