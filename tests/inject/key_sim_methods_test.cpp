#include "inject/key_sim_methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "hardware/keyboard_controller.h"
#include "support/recording_port.h"

namespace zarvel {
namespace {

constexpr uint16_t kData = 0x60;
constexpr uint16_t kStatus = 0x64;
constexpr uint16_t kMask = 0x21;

std::vector<PortAccess> Reads(uint8_t answer, int count) {
  return std::vector<PortAccess>(static_cast<size_t>(count), PortAccess::In(kStatus, answer));
}

std::vector<PortAccess> Joined(std::initializer_list<std::vector<PortAccess>> parts) {
  std::vector<PortAccess> all;
  for (const auto& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

// The log with runs of identical accesses shown as "access xN", for readable failures.
std::string Summary(const std::vector<PortAccess>& log) {
  std::string text;
  for (size_t i = 0; i < log.size();) {
    size_t run = 1;
    while (i + run < log.size() && log[i + run] == log[i]) {
      ++run;
    }
    text += Describe(log[i]) + (run > 1 ? " x" + std::to_string(run) : "") + "\n";
    i += run;
  }
  return text;
}

TEST(SendKeyNewest, WritesTheCommandAndTheByteBetweenFixedDelays) {
  RecordingPort port;
  // Both buffer bits stay set: a delay that waited for one to clear would read on to the wait
  // limit, one that waited for one to be set would stop at the first read.
  port.AnswerAlways(kStatus, 0x03);
  SendKeyNewest(port, 0x1F, 0x9E);
  const auto expected = Joined({{PortAccess::Out(kStatus, 0xD2)},
                                Reads(0x03, 13),
                                {PortAccess::Out(kData, 0x9E)},
                                Reads(0x03, 50)});
  EXPECT_EQ(Summary(port.Log()), Summary(expected));
}

TEST(SendKeyOld, PassesTheByteThroughControllerRamWithInterruptsDisabled) {
  RecordingPort port;
  // The controller is slow: both buffer bits are set while it works, and each wait ends at the
  // read where its own bit clears while the other is still set. A wait on the wrong bit, or on
  // both, reads on into the answer that never clears.
  port.AnswerAlways(kStatus, 0x03);
  port.Script(kStatus, {0x03, 0x01, 0x03, 0x03, 0x01, 0x01, 0x03, 0x03, 0x02});
  SendKeyOld(port, 0x1F, 0xE0);
  const std::vector<PortAccess> expected = {
      PortAccess::Cli(),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kStatus, 0x7F),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kData, 0xE0),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kStatus, 0x3F),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x02),  // Output buffer empty.
      PortAccess::Sti(),
  };
  EXPECT_EQ(Summary(port.Log()), Summary(expected));
}

TEST(SendKeyNew, KeepsTheInterruptMaskAndEnablesTheKeyboardAgain) {
  RecordingPort port;
  // As for "old", each wait ends where its own bit clears while the other is set. After the
  // read command the output buffer clears first; the input buffer clears only once the
  // output buffer is full again, so neither the two waits swapped nor one wait on both bits
  // ends where they do.
  port.AnswerAlways(kStatus, 0x03);
  port.Script(kStatus, {0x03, 0x02, 0x03, 0x01, 0x01, 0x03, 0x01, 0x03, 0x02, 0x02, 0x01});
  port.AnswerAlways(kMask, 0x5A);
  SendKeyNew(port, 0x05, 0x1E);
  const std::vector<PortAccess> expected = {
      PortAccess::In(kStatus, 0x03),  // A byte still waits when the method starts.
      PortAccess::In(kStatus, 0x02),  // Output buffer empty.
      PortAccess::Cli(),
      PortAccess::In(kMask, 0x5A),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kStatus, 0x65),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kData, 0x1E),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x01),  // Input buffer empty.
      PortAccess::Out(kStatus, 0x25),
      PortAccess::In(kStatus, 0x03),
      PortAccess::In(kStatus, 0x02),  // Output buffer empty...
      PortAccess::In(kStatus, 0x02),
      PortAccess::In(kStatus, 0x01),  // ...then input buffer empty.
      PortAccess::Out(kStatus, 0xAE),
      PortAccess::Out(kMask, 0x5A),
      PortAccess::Sti(),
  };
  EXPECT_EQ(Summary(port.Log()), Summary(expected));
}

TEST(KeySimMethods, KeepTheMailboxCommandsInsideTheRamCommands) {
  for (const KeySimFunc method : {SendKeyOld, SendKeyNew}) {
    RecordingPort port;
    port.AnswerAlways(kStatus, 0x00);
    method(port, 0xFF, 0x1E);
    std::vector<uint8_t> commands;
    for (const PortAccess& access : port.Log()) {
      if (access.kind == PortAccess::Kind::kOut && access.port == kStatus) {
        commands.push_back(access.value);
      }
    }
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], 0x7F);
    EXPECT_EQ(commands[1], 0x3F);
  }
}

TEST(WaitInputBufferEmpty, GivesUpAfterTheReadLimit) {
  RecordingPort port;
  port.AnswerAlways(kStatus, 0x02);
  WaitInputBufferEmpty(port);
  EXPECT_EQ(Summary(port.Log()), Summary(Reads(0x02, 65536)));
}

// A controller that never clears a bit cannot hold "old" or "new" for ever with interrupts
// disabled: every wait gives up after the limit and the method goes on to its end.
TEST(KeySimMethods, StatusWaitsGiveUpAndCarryOn) {
  struct Case {
    KeySimFunc method;
    uint8_t stuckStatus;
    int expectedReads;
  };
  const Case cases[] = {
      {SendKeyOld, 0x02, 3 * kStatusWaitLimit + 1},
      {SendKeyOld, 0x01, 3 + kStatusWaitLimit},
      {SendKeyNew, 0x02, 1 + 4 * kStatusWaitLimit + 1},
      {SendKeyNew, 0x01, 2 * kStatusWaitLimit + 4},
  };
  for (const Case& c : cases) {
    RecordingPort port;
    port.AnswerAlways(kStatus, c.stuckStatus);
    c.method(port, 0x1F, 0x1E);
    const auto& log = port.Log();
    const auto reads = std::count(log.begin(), log.end(), PortAccess::In(kStatus, c.stuckStatus));
    EXPECT_EQ(reads, c.expectedReads) << int(c.stuckStatus);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), PortAccess::Sti());
    EXPECT_EQ(std::count(log.begin(), log.end(), PortAccess::Out(kData, 0x1E)), 1);
  }
}

}  // namespace
}  // namespace zarvel
