#include <gtest/gtest.h>

#include <string>

#include "config/settings_files.h"
#include "engine/execution_thread.h"
#include "platform/recording_port.h"
#include "support/bad_thing_message.h"
#include "support/temp_dir.h"

namespace zarvel {
namespace {

using testing::BadThingMessage;

// A home directory and document ready to be configured, as the execution thread opens them.
class Configured {
 public:
  explicit Configured(const std::string& keyQueueSize = "16", bool withKeys = true) {
    dir_.Write("home/zarvel.ini",
               "[config]\nInternalPower = f\nPort = 378\nKeyQueueSize = " + keyQueueSize +
                   "\n8042Addr = 1f\nTickFreq = 100\nKeySimMethod = newest\n");
    dir_.Write("home/circuits.ini", "[snes 1]\n");
    if (withKeys) {
      dir_.Write("home/keys.cfg", "1e 9e a\n0 0 none\n");
    }
    document_ = dir_.Write("pads.ini", "[config]\n");
  }

  // Runs the configuration steps of an execution on `state`.
  void Configure(ProcessState& state, PortIo& port) {
    ResetExecutionState(state);
    state.files.localName = document_;
    OpenSettingsFiles(state.files, state.trace, dir_.Slash() + "home/");
    ConfigureExecution(state, port);
    CloseSettingsFiles(state.files, state.trace);
  }

 private:
  testing::TempDir dir_;
  std::string document_;
};

TEST(ConfigureExecution, CreatesTheQueueAndReleasesTheKeyDefinitions) {
  ProcessState state;
  RecordingPort port;
  Configured().Configure(state, port);
  EXPECT_EQ(state.keyQueue.size, 16);
  EXPECT_EQ(state.keyQueue.head, state.keyQueue.tail);
  EXPECT_EQ(state.keyDefinitions.table, nullptr);
  EXPECT_EQ(state.keyDefinitions.count, 0);
  EXPECT_TRUE(port.Log().empty());

  // Bytes left waiting by one execution are gone in the next.
  PushKey(state.keyQueue, 0x1E);
  Configured().Configure(state, port);
  EXPECT_EQ(state.keyQueue.head, state.keyQueue.tail);
}

TEST(ConfigureExecution, EndsWhenTheQueueOrTheKeyFileCannotBeHad) {
  ProcessState state;
  RecordingPort port;
  state.allocation.refuse = [](int32_t size) { return size == 1024; };
  EXPECT_EQ(BadThingMessage([&] { Configured("1024").Configure(state, port); }),
            "Could not allocate 1024 bytes.\n");

  ProcessState withoutKeys;
  EXPECT_EQ(BadThingMessage([&] { Configured("16", false).Configure(withoutKeys, port); }),
            "Could not open key definition file.\n");
}

TEST(Tick, SendsOneQueuedByteAndTouchesNoPortWhenTheQueueIsEmpty) {
  ProcessState state;
  RecordingPort port;
  Configured().Configure(state, port);
  Tick(state, port);
  EXPECT_TRUE(port.Log().empty());

  PushKey(state.keyQueue, 0x1E);
  PushKey(state.keyQueue, 0x9E);
  Tick(state, port);
  EXPECT_EQ(port.Log().size(), 2u + 63u);
  EXPECT_EQ(port.Log()[14], PortAccess::Out(0x60, 0x1E));
  port.ClearLog();
  Tick(state, port);
  EXPECT_EQ(port.Log()[14], PortAccess::Out(0x60, 0x9E));
  port.ClearLog();
  Tick(state, port);
  EXPECT_TRUE(port.Log().empty());
}

}  // namespace
}  // namespace zarvel
