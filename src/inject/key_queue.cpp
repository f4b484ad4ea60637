#include "inject/key_queue.h"

#include "base/bad_thing.h"
#include "base/invariant.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/value_text.h"
#include "hardware/held_keys.h"
#include "inject/key_sim_methods.h"

namespace zarvel {

void KeyQueue::Init(int32_t size, const AllocationGate& allocation, TraceState& trace) {
  TracePrint(trace, "\371 Initializing key queue...");
  // [config] is checked when it is read; the ring arithmetic relies on it, so it is checked
  // again where it is assumed.
  CheckRange(size, "KeyQueueSize", kSmallestKeyQueue, kLargestKeyQueue, false);
  head_ = 0;
  tail_ = 0;
  size_ = 0;
  buffer_ = CheckedAlloc(allocation, size);
  size_ = size;
  TracePrint(trace, "Done\n");
}

void KeyQueue::Push(uint8_t byte) {
  if (byte == 0) {
    return;
  }
  CheckInvariant(HoldsIndex(tail_), "the key queue's tail lies inside its ring");
  buffer_[tail_] = byte;
  tail_ = Next(tail_);
  if (tail_ == head_) {
    ReportBadThing("Add to a full key queue.\n");
  }
}

void KeyQueue::PushSequence(const KeySequence& sequence) {
  for (const uint8_t byte : KeyBytes(sequence)) {
    Push(byte);
  }
}

uint8_t KeyQueue::Pop() {
  if (Empty()) {
    ReportBadThing("Tried to get from an empty key queue.\n");
  }
  CheckInvariant(HoldsIndex(head_), "the key queue's head lies inside its ring");
  const uint8_t byte = buffer_[head_];
  CheckInvariant(byte != 0, "the key queue holds no zero byte");
  head_ = Next(head_);
  return byte;
}

void SendKey(uint8_t byte, const ConfigSettings& config, PortIo& port, HeldKeys& delivered) {
  KeySimFunctionOf(config.keySimMethod)(port, config.controllerAddress, byte);
  delivered.Deliver(byte);
}

void SendQueuedKey(KeyQueue& queue, const ConfigSettings& config, PortIo& port,
                   HeldKeys& delivered) {
  if (queue.Empty()) {
    return;
  }
  SendKey(queue.Pop(), config, port, delivered);
}

}  // namespace zarvel
