#include "inject/key_queue.h"

#include "base/bad_thing.h"
#include "base/trace.h"
#include "config/config_section.h"
#include "config/value_text.h"
#include "inject/key_sim_methods.h"

namespace zarvel {

void InitKeyQueue(KeyQueue& queue, int32_t size, const AllocationGate& allocation,
                  TraceState& trace) {
  TracePrint(trace, "\371 Initializing key queue...");
  // [config] is checked when it is read; the ring arithmetic relies on it, so it is checked
  // again where it is assumed.
  CheckRange(size, "KeyQueueSize", kSmallestKeyQueue, kLargestKeyQueue, false);
  queue.head = 0;
  queue.tail = 0;
  queue.size = 0;
  queue.buffer = CheckedAlloc(allocation, size);
  queue.size = size;
  TracePrint(trace, "Done\n");
}

void PushKey(KeyQueue& queue, uint8_t byte) {
  if (byte == 0) {
    return;
  }
  queue.buffer[queue.tail] = byte;
  // The next index round the ring; a comparison is cheaper than a division in the tick.
  queue.tail = queue.tail + 1 == queue.size ? 0 : queue.tail + 1;
  if (queue.tail == queue.head) {
    ReportBadThing("Add to a full key queue.\n");
  }
}

void PushKeySequence(KeyQueue& queue, const KeySequence& sequence) {
  for (const uint8_t byte : KeyBytes(sequence)) {
    PushKey(queue, byte);
  }
}

uint8_t PopKey(KeyQueue& queue) {
  if (queue.head == queue.tail) {
    ReportBadThing("Tried to get from an empty key queue.\n");
  }
  const uint8_t byte = queue.buffer[queue.head];
  queue.head = queue.head + 1 == queue.size ? 0 : queue.head + 1;
  return byte;
}

void SendQueuedKey(KeyQueue& queue, const ConfigSettings& config, PortIo& port) {
  if (queue.head == queue.tail) {
    return;
  }
  const uint8_t byte = PopKey(queue);
  KeySimFunctionOf(config.keySimMethod)(port, config.controllerAddress, byte);
}

}  // namespace zarvel
