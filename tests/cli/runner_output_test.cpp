#include "cli/runner_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "cli/runner_host.h"
#include "engine/execution_thread.h"
#include "platform/sim/pad_script.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"
#include "support/simulated_hardware.h"

namespace zarvel {
namespace {

// A reader that stops reading: its first write waits until the test lets it go, or the
// output gives up on it, or a watchdog's time runs out, so that a test of code that waits for
// it fails instead of hanging.
class StuckReader : public OutputSink {
 public:
  int Write(std::string_view text) override {
    std::unique_lock lock(mutex_);
    entered_ = true;
    changed_.notify_all();
    if (!changed_.wait_for(lock, std::chrono::seconds(5), [this] { return released_; })) {
      released_ = true;
      timedOut_ = true;
    }
    written_ += text;
    return 0;
  }
  void GiveUp() override { Release(); }

  void Release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  void WaitUntilWriting() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entered_; });
  }
  bool TimedOut() {
    const std::lock_guard lock(mutex_);
    return timedOut_;
  }
  std::string Written() {
    const std::lock_guard lock(mutex_);
    return written_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool released_ = false;
  bool timedOut_ = false;
  std::string written_;
};

TEST(RunnerOutput, TheTicksGoOnWhileTheReaderStopsReading) {
  testing::HomeFixture fixture;
  RunBlock runBlock;
  runBlock.path = fixture.Document("[snes]\na = a\n" + std::string(testing::kQuietButtons));
  runBlock.homeDir = fixture.home;
  std::string script;
  for (int tick = 1; tick <= 1000; tick += 2) {
    script += std::to_string(tick) + " 1 a\n" + std::to_string(tick + 1) + " 1 -\n";
  }
  ParsedPadScript parsed = ParsePadScript(script, "script");
  ASSERT_TRUE(parsed.script);

  StuckReader reader;
  std::ostringstream err;
  RunnerOutput output(reader, err);
  ASSERT_TRUE(output.Start());
  {
    ProcessState state;
    RunnerHost host(runBlock, output, 1000, true, false,
                    testing::SimulatedHardware(runBlock.homeDir, std::move(*parsed.script)));
    runBlock.running = 1;
    runBlock.finished = 0;
    ExecutionThread(runBlock, state, host);
    EXPECT_EQ(host.Ending(), RunnerEnding::kNormal) << err.str();
  }
  // Every tick has run while the reader still held its first line.
  reader.WaitUntilWriting();
  EXPECT_FALSE(reader.TimedOut());
  reader.Release();
  EXPECT_TRUE(output.Drain());
  const std::string written = reader.Written();
  EXPECT_EQ(written.substr(0, 15), "1 1E a pressed\n");
  EXPECT_NE(written.find("\n999 1E a pressed\n1000 9E a released\n"), std::string::npos);
  EXPECT_EQ(err.str(), "");
}

TEST(RunnerOutput, AFullRingDropsTheNewestReportsAndSaysHowMany) {
  StuckReader reader;
  std::ostringstream err;
  RunnerOutput output(reader, err);
  ASSERT_TRUE(output.Start());
  const TickReport byte{.kind = TickReport::Kind::kByte, .value = 0x1E, .tick = 1};
  EXPECT_TRUE(output.Report(byte));
  reader.WaitUntilWriting();
  int refused = 0;
  for (uint32_t n = 0; n < RunnerOutput::kReportRoom + 10; ++n) {
    refused += output.Report(byte) ? 0 : 1;
  }
  EXPECT_EQ(refused, 10);
  reader.Release();
  EXPECT_TRUE(output.Drain());
  EXPECT_EQ(err.str(),
            "zarvel-run: 10 lines of output were dropped: standard output was not read in time\n");
}

}  // namespace
}  // namespace zarvel
