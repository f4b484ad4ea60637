#include "inject/key_queue.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/trace.h"
#include "config/config_section.h"
#include "hardware/held_keys.h"
#include "hardware/keyboard_controller.h"
#include "support/bad_thing_message.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

using testing::BadThingMessage;

KeyQueue MakeQueue(int32_t size) {
  KeyQueue queue;
  TraceState trace;
  queue.Init(size, AllocationGate{}, trace);
  return queue;
}

KeySequence Sequence(std::vector<uint8_t> bytes, int32_t length) {
  KeySequence sequence;
  AllocateKeySequence(sequence, AllocationGate{}, static_cast<int32_t>(bytes.size()));
  AppendKeyBytes(sequence, bytes);
  sequence.length = length;
  return sequence;
}

std::vector<uint8_t> Drain(KeyQueue& queue) {
  std::vector<uint8_t> bytes;
  while (!queue.Empty()) {
    bytes.push_back(queue.Pop());
  }
  return bytes;
}

TEST(KeyQueue, HoldsOneByteLessThanItsSize) {
  KeyQueue queue = MakeQueue(16);
  for (uint8_t byte = 1; byte <= 15; ++byte) {
    queue.Push(byte);
  }
  EXPECT_EQ(BadThingMessage([&] { queue.Push(16); }), "Add to a full key queue.\n");
  // The refused byte took the last slot and the tail moved onto the head: all is lost.
  EXPECT_TRUE(queue.Empty());

  KeyQueue tiny = MakeQueue(1);
  tiny.Push(0);
  EXPECT_EQ(BadThingMessage([&] { tiny.Push(0x1E); }), "Add to a full key queue.\n");
}

TEST(KeyQueue, BytesWrappingPastTheEndComeOutInOrder) {
  KeyQueue queue = MakeQueue(4);
  for (uint8_t round = 0; round < 5; ++round) {
    const uint8_t first = static_cast<uint8_t>(round * 3 + 1);
    queue.PushSequence(Sequence({first, uint8_t(first + 1), uint8_t(first + 2)}, 3));
    EXPECT_EQ(Drain(queue), (std::vector<uint8_t>{first, uint8_t(first + 1), uint8_t(first + 2)}));
  }
}

TEST(KeyQueue, DropsZeroBytesAndEmptySequences) {
  KeyQueue queue = MakeQueue(16);
  queue.PushSequence(Sequence({0x1E, 0x00, 0x2A}, 3));
  queue.PushSequence(Sequence({0x30}, 0));
  queue.PushSequence(Sequence({0x30}, -1));
  queue.PushSequence(KeySequence{});
  EXPECT_EQ(Drain(queue), (std::vector<uint8_t>{0x1E, 0x2A}));
  EXPECT_EQ(BadThingMessage([&] { queue.Pop(); }), "Tried to get from an empty key queue.\n");
}

TEST(KeyQueueInit, StartsEmptyWithANewRingOrEndsTheExecution) {
  KeyQueue queue = MakeQueue(8);
  queue.Push(0x1E);
  TraceState trace;
  queue.Init(8, AllocationGate{}, trace);
  EXPECT_TRUE(queue.Empty());

  AllocationGate refuseAll{[](int32_t) { return true; }};
  EXPECT_EQ(BadThingMessage([&] { queue.Init(1024, refuseAll, trace); }),
            "Could not allocate 1024 bytes.\n");
  EXPECT_EQ(BadThingMessage([&] { queue.Init(0, AllocationGate{}, trace); }),
            "\"KeyQueueSize\" is out of range. Values should range from 1 to 1024.\n");
}

TEST(SendQueuedKey, SendsOneByteAndLeavesThePortsAloneWhenEmpty) {
  ConfigSettings config;
  config.keySimMethod = KeySimMethod::kOld;
  config.controllerAddress = 0x05;
  RecordingPort port;
  port.AnswerAlways(kControllerStatusPort, 0x00);
  KeyQueue queue = MakeQueue(16);
  HeldKeys delivered;

  SendQueuedKey(queue, config, port, delivered);
  EXPECT_TRUE(port.Log().empty());

  queue.Push(0x1E);
  queue.Push(0x9E);
  SendQueuedKey(queue, config, port, delivered);
  const std::vector<PortAccess> expected = {
      PortAccess::Cli(),           PortAccess::In(0x64, 0x00),  PortAccess::Out(0x64, 0x65),
      PortAccess::In(0x64, 0x00),  PortAccess::Out(0x60, 0x1E), PortAccess::In(0x64, 0x00),
      PortAccess::Out(0x64, 0x25), PortAccess::In(0x64, 0x00),  PortAccess::Sti(),
  };
  EXPECT_EQ(port.Log(), expected);
  // What went out is what the system now holds down.
  ASSERT_EQ(delivered.Keys().size(), 1u);
  EXPECT_EQ(delivered.Keys()[0]->name, "a");
  EXPECT_EQ(Drain(queue), std::vector<uint8_t>{0x9E});
}

}  // namespace
}  // namespace zarvel
