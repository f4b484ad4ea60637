// Real-time priority for the execution thread: taken directly where the process may (through
// the fake system calls), else asked of RealtimeKit (a stand-in on a bus of the test's own).
#include "platform/linux/realtime_scheduling.h"

#include <gtest/gtest.h>
#include <linux/capability.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/fake_system_calls.h"
#include "support/stand_in_realtime_kit.h"

namespace zarvel {
namespace {

// A bus address nothing listens on: RealtimeKit cannot be reached.
constexpr char kNoBus[] = "unix:path=/nonexistent/zarvel-test-bus";

std::vector<std::string> CallsOf(const testing::FakeSystemCalls& calls, const std::string& what) {
  std::vector<std::string> found;
  std::copy_if(calls.log.begin(), calls.log.end(), std::back_inserter(found),
               [&](const std::string& line) { return line.starts_with(what); });
  return found;
}

TEST(RealtimeScheduling, TakenDirectlyWherePermittedAndMemoryLockedOnlyWhereNoLimitCanBite) {
  struct Case {
    const char* name;
    std::set<int> capabilities;
    rlim_t rtprio;
    rlim_t memlock;
    std::optional<int> schedulerError;
    std::vector<std::string> scheduling;  // The "sched" calls made.
    RealtimeScheduling::Way way;
    int32_t priority;
    bool locked;
  };
  const rlim_t kEightMiB = 8 << 20;
  const Case cases[] = {
      {"root",
       {CAP_SYS_NICE, CAP_IPC_LOCK},
       0,
       kEightMiB,
       std::nullopt,
       {"sched FIFO 10"},
       RealtimeScheduling::Way::kDirect,
       10,
       true},
      {"CAP_SYS_NICE alone",
       {CAP_SYS_NICE},
       0,
       kEightMiB,
       std::nullopt,
       {"sched FIFO 10"},
       RealtimeScheduling::Way::kDirect,
       10,
       false},
      {"RLIMIT_RTPRIO below the wish",
       {},
       5,
       kEightMiB,
       std::nullopt,
       {"sched FIFO 5"},
       RealtimeScheduling::Way::kDirect,
       5,
       false},
      {"RLIMIT_RTPRIO above it, no memory limit",
       {},
       95,
       RLIM_INFINITY,
       std::nullopt,
       {"sched FIFO 10"},
       RealtimeScheduling::Way::kDirect,
       10,
       true},
      {"no permission: not even tried",
       {},
       0,
       RLIM_INFINITY,
       std::nullopt,
       {},
       RealtimeScheduling::Way::kNone,
       0,
       false},
      // A container without a real-time budget refuses even root.
      {"permitted but refused",
       {CAP_SYS_NICE, CAP_IPC_LOCK},
       0,
       RLIM_INFINITY,
       EPERM,
       {"sched FIFO 10"},
       RealtimeScheduling::Way::kNone,
       0,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakeSystemCalls calls;
    calls.capabilities = c.capabilities;
    calls.limits[RLIMIT_RTPRIO] = {c.rtprio, c.rtprio};
    calls.limits[RLIMIT_MEMLOCK] = {c.memlock, c.memlock};
    calls.schedulerError = c.schedulerError;
    const RealtimeScheduling taken = TakeRealtimeScheduling(calls, kNoBus);
    EXPECT_EQ(CallsOf(calls, "sched"), c.scheduling);
    EXPECT_EQ(taken.way, c.way);
    EXPECT_EQ(taken.priority, c.priority);
    EXPECT_EQ(taken.memoryLocked, c.locked);
    EXPECT_EQ(calls.Count("mlockall"), c.locked ? 1 : 0);
    // Without RealtimeKit, nothing else is touched: no limit lowered for nothing.
    EXPECT_EQ(calls.Count("setrlimit"), 0);
    if (taken.Realtime()) {
      EXPECT_EQ(taken.refusal, "");
    } else {
      EXPECT_NE(NoRealtimeNotice(taken).find("without real-time priority"), std::string::npos);
      EXPECT_NE(taken.refusal.find("RealtimeKit: cannot reach the system bus"), std::string::npos)
          << taken.refusal;
      if (c.schedulerError) {
        EXPECT_NE(taken.refusal.find("SCHED_FIFO was refused: Operation not permitted"), std::string::npos);
      }
    }
    LeaveRealtimeScheduling(calls, taken);
    EXPECT_EQ(calls.Count("munlockall"), c.locked ? 1 : 0);
  }
}

TEST(RealtimeScheduling, AskedOfRealtimeKitWithTheTimeLimitItRequires) {
  struct Case {
    const char* name;
    testing::StandInAnswers answers;
    rlim_t rttime;                     // The process's RLIMIT_RTTIME before it asks.
    std::vector<std::string> limits;   // The limits it sets.
    std::vector<std::string> service;  // What the service was asked.
    RealtimeScheduling::Way way;
    int32_t priority;
    const char* refusal;  // Part of the refusal, when refused.
  };
  const std::vector<std::string> kReadLimits = {"Get MaxRealtimePriority", "Get RTTimeUSecMax"};
  const auto asked = [&](const char* request) {
    std::vector<std::string> calls = kReadLimits;
    calls.emplace_back(request);
    return calls;
  };
  const Case cases[] = {
      {"granted",
       {true, 20, 200000, "", ""},
       RLIM_INFINITY,
       {"setrlimit RTTIME 200000 200000"},
       asked("MakeThreadRealtimeWithPID 4000 4001 10"),
       RealtimeScheduling::Way::kRealtimeKit,
       10,
       ""},
      {"granted below the wish, time already short enough",
       {true, 3, 500000, "", ""},
       100000,
       {},
       asked("MakeThreadRealtimeWithPID 4000 4001 3"),
       RealtimeScheduling::Way::kRealtimeKit,
       3,
       ""},
      {"refused",
       {true, 20, 200000, "org.freedesktop.DBus.Error.AccessDenied", "Operation not permitted"},
       RLIM_INFINITY,
       {"setrlimit RTTIME 200000 200000"},
       asked("MakeThreadRealtimeWithPID 4000 4001 10"),
       RealtimeScheduling::Way::kNone,
       0,
       "RealtimeKit: Operation not permitted"},
      {"grants no priority",
       {true, 0, 200000, "", ""},
       RLIM_INFINITY,
       {},
       kReadLimits,
       RealtimeScheduling::Way::kNone,
       0,
       "grants no real-time priority"},
      {"not on the bus",
       {false, 20, 200000, "", ""},
       RLIM_INFINITY,
       {},
       {},
       RealtimeScheduling::Way::kNone,
       0,
       "org.freedesktop.RealtimeKit1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::StandInRealtimeKit kit(c.answers);
    if (!kit.Problem().empty()) {
      GTEST_SKIP() << kit.Problem();
    }
    testing::FakeSystemCalls calls;
    calls.limits[RLIMIT_RTTIME] = {c.rttime, c.rttime};
    const RealtimeScheduling taken = TakeRealtimeScheduling(calls, kit.Address());
    EXPECT_EQ(CallsOf(calls, "setrlimit"), c.limits);
    EXPECT_EQ(kit.Calls(), c.service);
    EXPECT_EQ(taken.way, c.way);
    EXPECT_EQ(taken.priority, c.priority);
    // RealtimeKit's threads run with the user's usual limit on locked memory: none is locked.
    EXPECT_EQ(calls.Count("mlockall"), 0);
    EXPECT_NE(taken.refusal.find(c.refusal), std::string::npos) << taken.refusal;
    // The process asked nothing of the kernel's scheduler itself.
    EXPECT_EQ(calls.Count("sched"), 0);
  }
}

}  // namespace
}  // namespace zarvel
