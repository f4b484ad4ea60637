#include <gtest/gtest.h>

#include <filesystem>

#include "engine/execution_thread.h"
#include "hardware/keyboard_controller.h"
#include "support/execution_fixture.h"
#include "support/fake_host.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

using testing::FakeHost;
using testing::HomeFixture;

// The accesses of a log that reach the keyboard controller; the pads' reads are left out.
std::vector<PortAccess> KeyboardAccesses(const RecordingPort& port) {
  std::vector<PortAccess> accesses;
  for (const PortAccess& access : port.Log()) {
    if (access.port == kControllerDataPort || access.port == kControllerStatusPort ||
        access.port == kInterruptMaskPort || access.kind == PortAccess::Kind::kDisableInterrupts ||
        access.kind == PortAccess::Kind::kEnableInterrupts) {
      accesses.push_back(access);
    }
  }
  return accesses;
}

class ExecutionKeysTest : public testing::ExecutionFixture {
 protected:
  // Runs an execution of one tick on this thread.
  void Execute(FakeHost& host, std::string_view document = "[config]\n[snes]\n") {
    ExecuteDocument(host, fixture_.Document(std::string(document) + testing::kQuietButtons.data()));
  }
};

TEST_F(ExecutionKeysTest, ConfigurationCreatesTheQueueAndReleasesTheKeyDefinitions) {
  FakeHost host(runBlock_);
  Execute(host);
  EXPECT_TRUE(host.badThings.empty());
  EXPECT_NE(host.trace.find("\371 Initializing key queue...Done\n"), std::string::npos);
  EXPECT_EQ(state_.keyQueue.Size(), 16);
  EXPECT_EQ(state_.keyDefinitions.table, nullptr);
  // The tick found the queue empty and left the keyboard controller alone.
  EXPECT_TRUE(KeyboardAccesses(host.port).empty());

  // Bytes left waiting by one execution are gone in the next.
  state_.keyQueue.Push(0x1E);
  FakeHost next(runBlock_);
  Execute(next);
  EXPECT_TRUE(state_.keyQueue.Empty());
  EXPECT_TRUE(KeyboardAccesses(next.port).empty());
}

TEST_F(ExecutionKeysTest, ConfigurationEndsWhenTheQueueOrTheKeyFileCannotBeHad) {
  state_.allocation.refuse = [](int32_t size) { return size == 1024; };
  FakeHost refused(runBlock_);
  Execute(refused, "[config]\nKeyQueueSize = 1024\n");
  EXPECT_EQ(refused.badThings, (std::vector<std::string>{"Could not allocate 1024 bytes.\n"}));

  std::filesystem::remove(fixture_.home + "keys.cfg");
  FakeHost missing(runBlock_);
  Execute(missing);
  EXPECT_EQ(missing.badThings,
            (std::vector<std::string>{"Could not open key definition file. " + fixture_.home +
                                      "keys.cfg: No such file or directory\n"}));
  EXPECT_TRUE(missing.ticks.empty());
}

TEST_F(ExecutionKeysTest, EachTickSendsAtMostOneQueuedByte) {
  FakeHost host(runBlock_);
  Execute(host);
  state_.keyQueue.Push(0x1E);
  state_.keyQueue.Push(0x9E);
  for (const uint8_t expected : {0x1E, 0x9E}) {
    host.port.ClearLog();
    Tick(state_, host);
    // "newest": the command, 13 status reads, the byte, 50 status reads.
    const std::vector<PortAccess> sent = KeyboardAccesses(host.port);
    ASSERT_EQ(sent.size(), 2u + 63u);
    EXPECT_EQ(sent[14], PortAccess::Out(0x60, expected));
  }
  host.port.ClearLog();
  Tick(state_, host);
  EXPECT_TRUE(KeyboardAccesses(host.port).empty());
}

}  // namespace
}  // namespace zarvel
