// Execute and Stop, again and again, on real threads, through the session both programs use: the
// run block's flags are the whole hand-over between the two threads, so these cycles are what
// the thread sanitizer build watches for races.
#include "session/execution_session.h"

#include <gtest/gtest.h>
#include <linux/capability.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "platform/thread_services.h"
#include "support/fake_evdev_calls.h"
#include "support/fake_system_calls.h"
#include "support/home_fixture.h"
#include "support/quiet_buttons.h"

namespace zarvel {
namespace {

// What the hosts of a run of executions told the test.
struct Counts {
  std::atomic<int64_t> ticks{0};  // Read by the stopping thread while the execution ticks.
  int badThings = 0;
  int processStops = 0;
};

// Ticks as fast as it can and counts what the execution tells it.
class CountingHost : public SessionHost {
 public:
  CountingHost(std::unique_ptr<ExecutionHardware> hardware, Counts& counts)
      : SessionHost(std::move(hardware)), counts_(counts) {}
  void SleepMs(int32_t) override { YieldProcessor(); }
  void TickStarts(int64_t) override { ++counts_.ticks; }
  void ShowBadThing(const BadThing&) override { ++counts_.badThings; }
  void EndProcess(const ProcessEndingStop&) override { ++counts_.processStops; }

 private:
  Counts& counts_;
};

class ExecutionSessionTest : public ::testing::Test {
 protected:
  // Each start changes into the document's directory, which goes with the fixture.
  ~ExecutionSessionTest() override { std::filesystem::current_path(startDirectory_); }

  ExecutionSession::HostMaker CountInto(Counts& counts) {
    return [&counts](RunBlock&, std::unique_ptr<ExecutionHardware> hardware) {
      return std::make_unique<CountingHost>(std::move(hardware), counts);
    };
  }

  const std::filesystem::path startDirectory_ = std::filesystem::current_path();
  testing::HomeFixture fixture_;
  testing::FakeSystemCalls calls_;
  testing::FakeEvdevCalls evdev_;
  HardwareFactory factory_{HardwareChoice{}, calls_, evdev_};
  ProcessState state_;  // One record for the life of the "frame", as the hosts keep it.
  ExecutionSession session_{state_, factory_, fixture_.home};
};

TEST_F(ExecutionSessionTest, HundredsOfExecuteAndStopCyclesEachEndCleanly) {
  const std::string good = fixture_.Document("[config]\nTickFreq = 1000\n[snes]\n" +
                                             std::string(testing::kQuietButtons));
  const std::string bad = fixture_.Document("[config]\nTickFreq = 0\n[snes]\n", "bad.ini");
  std::mt19937 random(7);
  constexpr int kCycles = 300;
  int64_t ticks = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    Counts counts;
    const bool failing = cycle % 10 == 9;
    ASSERT_EQ(session_.Start(failing ? bad : good, CountInto(counts)), std::nullopt);
    // Stop at once, during the configuration, or a little into the ticks; every fifth good
    // execution is left to tick at least once, however slow the build makes the configuration.
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 1500));
    if (!failing && cycle % 5 == 0) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (counts.ticks == 0 && std::chrono::steady_clock::now() < deadline) {
        YieldProcessor();
      }
    }
    session_.Stop();
    EXPECT_FALSE(session_.Running());
    EXPECT_EQ(counts.badThings, failing ? 1 : 0) << "cycle " << cycle;
    EXPECT_EQ(counts.processStops, 0);
    ticks += counts.ticks;
  }
  EXPECT_GT(ticks, 0);
}

TEST_F(ExecutionSessionTest, ExecuteWhileRunningStopsTheFirstBeforeTheSecondStarts) {
  const std::string document = fixture_.Document("[config]\nTickFreq = 1000\n[snes]\n" +
                                                 std::string(testing::kQuietButtons));
  Counts counts;
  for (int restart = 0; restart < 50; ++restart) {
    // Each Start stops the running execution first and starts the next with the same run block.
    ASSERT_EQ(session_.Start(document, CountInto(counts)), std::nullopt);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  session_.Stop();
  EXPECT_EQ(session_.Run().finished, 1);
  EXPECT_EQ(counts.badThings, 0);
}

TEST_F(ExecutionSessionTest, AThreadThatCannotStartPutsTheFlagsBackAndKeepsNothingOpen) {
  session_.SetThreadStarter([](std::function<void()>) { return std::optional<std::thread>(); });
  Counts counts;
  const std::optional<StartRefusal> refusal =
      session_.Start(fixture_.Document(testing::WithQuietButtons("[snes]\n")), CountInto(counts));
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->reason, StartRefusal::Reason::kNoThread);
  EXPECT_EQ(session_.Run().running, 0);
  EXPECT_EQ(session_.Run().finished, 1);
  EXPECT_EQ(session_.Host(), nullptr);
  session_.Stop();  // Returns at once: there is nothing to wait for.
}

TEST_F(ExecutionSessionTest, EachThreadAsksForRealtimeAndOneWithoutSaysSoOnce) {
  std::vector<std::string> notices;  // Written on the execution threads, read once they ended.
  ExecutionSession session(state_, factory_, fixture_.home,
                           [&notices](const std::string& text) { notices.push_back(text); });
  const std::string document = fixture_.Document(testing::WithQuietButtons("[snes]\n"));
  Counts counts;
  const auto executeOnce = [&] {
    ASSERT_EQ(session.Start(document, CountInto(counts)), std::nullopt);
    session.Stop();
  };
  // Not asked for: the thread leaves the scheduler alone.
  executeOnce();
  EXPECT_EQ(calls_.Count("sched"), 0);

  // Neither permitted nor to be had from RealtimeKit: said once, however often it is asked.
  session.AskForRealtime("unix:path=/nonexistent/zarvel-test-bus");
  executeOnce();
  executeOnce();
  EXPECT_EQ(std::count_if(notices.begin(), notices.end(),
                          [](const std::string& text) {
                            return text.starts_with("the ticks run without real-time priority");
                          }),
            1);

  // Permitted: each thread takes it, locks memory, and unlocks it once it has ended.
  calls_.capabilities = {CAP_SYS_NICE, CAP_IPC_LOCK};
  calls_.log.clear();
  executeOnce();
  std::vector<std::string> realtime;
  std::copy_if(calls_.log.begin(), calls_.log.end(), std::back_inserter(realtime),
               [](const std::string& line) {
                 return line.starts_with("sched") || line.ends_with("lockall");
               });
  EXPECT_EQ(realtime, (std::vector<std::string>{"sched FIFO 10", "mlockall", "munlockall"}));
}

TEST(ExecutionSessionGrants, DirectPortsAreGivenBackAfterEachExecution) {
  const std::filesystem::path startDirectory = std::filesystem::current_path();
  testing::HomeFixture fixture;
  testing::FakeSystemCalls calls;
  testing::FakeEvdevCalls evdev;
  calls.answerIn = [](uint16_t) -> uint8_t { return 0x78; };  // The pad is plugged in and idle.
  HardwareChoice choice;
  choice.parport = ParportBackEnd::kDirect;
  HardwareFactory factory(choice, calls, evdev);
  ProcessState state;
  ExecutionSession session(state, factory, fixture.home);
  Counts counts;
  const auto makeHost = [&counts](RunBlock&, std::unique_ptr<ExecutionHardware> hardware) {
    return std::make_unique<CountingHost>(std::move(hardware), counts);
  };
  const std::string document = fixture.Document(testing::WithQuietButtons("[snes 1]\n"));
  for (int execution = 0; execution < 2; ++execution) {
    ASSERT_EQ(session.Start(document, makeHost), std::nullopt);
    session.Stop();  // The log is the execution's until it has ended.
    // The home directory is looked at first, through files opened with no port call between.
    std::erase_if(calls.log, [](const std::string& line) { return line.starts_with("openat "); });
    ASSERT_GE(calls.log.size(), 5u);
    // The port is checked against the kernel's map each time, since it was given back.
    EXPECT_EQ(calls.log[0], "read /proc/ioports");
    EXPECT_EQ(calls.log[1], "ioperm 0x378 3");
    EXPECT_EQ(std::vector<std::string>(calls.log.end() - 3, calls.log.end()),
              (std::vector<std::string>{"ioperm 0x378 1 off", "ioperm 0x379 1 off",
                                        "ioperm 0x37A 1 off"}));
    calls.log.clear();
  }
  std::filesystem::current_path(startDirectory);
}

TEST(ExecutionSessionHome, AHomeMadeThroughSudoBelongsToTheUserWhoRanSudo) {
  const std::filesystem::path startDirectory = std::filesystem::current_path();
  testing::HomeFixture fixture;
  testing::FakeSystemCalls calls;
  calls.effectiveUser = 0;
  calls.environment = {{"SUDO_UID", "1000"}, {"SUDO_GID", "1001"}};
  testing::FakeEvdevCalls evdev;
  HardwareFactory factory(HardwareChoice{}, calls, evdev);
  ProcessState state;
  // Two folders above the home directory are made with it; the one above them exists.
  const std::string made = fixture.dir.Slash() + "made";
  ExecutionSession session(state, factory, made + "/config/zarvel/");
  Counts counts;
  ASSERT_EQ(session.Start(fixture.Document(testing::WithQuietButtons("[snes]\n")),
                          [&counts](RunBlock&, std::unique_ptr<ExecutionHardware> hardware) {
                            return std::make_unique<CountingHost>(std::move(hardware), counts);
                          }),
            std::nullopt);
  session.Stop();
  // Each folder and file is given through the descriptor it was made with; the three files and
  // the home itself while they still have their temporary names.
  std::vector<std::string> given;
  for (const std::string& line : calls.log) {
    if (line.rfind("fchown ", 0) == 0) {
      given.push_back(line);
    }
  }
  ASSERT_EQ(given.size(), 6u);
  EXPECT_EQ(given[0], "fchown " + made + " 1000:1001");
  EXPECT_EQ(given[1], "fchown " + made + "/config 1000:1001");
  EXPECT_TRUE(std::filesystem::exists(made + "/config/zarvel/keys.cfg"));
  std::filesystem::current_path(startDirectory);
}

}  // namespace
}  // namespace zarvel
