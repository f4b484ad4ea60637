#include "platform/linux/realtime_scheduling.h"

#include <linux/capability.h>
#include <sched.h>

#include <algorithm>
#include <optional>

#include "platform/linux/realtime_kit.h"

namespace zarvel {
namespace {

// The highest priority the process may set itself, at most `wanted`; 0 when it may set none.
int32_t PriorityAllowed(SystemCalls& calls, int32_t wanted) {
  if (calls.HasCapability(CAP_SYS_NICE)) {
    return wanted;
  }
  rlimit limit{};
  if (calls.GetResourceLimit(RLIMIT_RTPRIO, limit) != 0) {
    return 0;
  }
  return limit.rlim_cur == RLIM_INFINITY
             ? wanted
             : static_cast<int32_t>(std::min<rlim_t>(limit.rlim_cur, static_cast<rlim_t>(wanted)));
}

// RealtimeKit grants nothing to a process that could keep a processor busy for longer than
// it allows, so the limit on real-time CPU time is brought down to that first. Returns why it
// could not be.
std::optional<std::string> LimitRealtimeTime(SystemCalls& calls, int64_t usecMax) {
  rlimit limit{};
  if (const int error = calls.GetResourceLimit(RLIMIT_RTTIME, limit); error != 0) {
    return "RLIMIT_RTTIME: " + ErrorText(-error);
  }
  const auto most = static_cast<rlim_t>(usecMax);
  if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max <= most) {
    return std::nullopt;
  }
  if (const int error = calls.SetResourceLimit(RLIMIT_RTTIME, rlimit{most, most}); error != 0) {
    return "RLIMIT_RTTIME: " + ErrorText(-error);
  }
  return std::nullopt;
}

// Asks RealtimeKit for the calling thread. Returns the priority granted, or why there is none.
std::optional<int32_t> AskRealtimeKit(SystemCalls& calls, const std::string& busAddress,
                                      std::string& refusal) {
  RealtimeKitClient kit(busAddress);
  if (std::optional<std::string> error = kit.Connect()) {
    refusal = *error;
    return std::nullopt;
  }
  std::string error;
  const std::optional<RealtimeKitLimits> limits = kit.ReadLimits(error);
  if (!limits) {
    refusal = error;
    return std::nullopt;
  }
  const int32_t priority = std::min(kTickRealtimePriority, limits->maxPriority);
  if (priority < 1) {
    refusal = "it grants no real-time priority";
    return std::nullopt;
  }
  if (std::optional<std::string> limitError = LimitRealtimeTime(calls, limits->rtTimeUsecMax)) {
    refusal = *limitError;
    return std::nullopt;
  }
  if (std::optional<std::string> refused = kit.MakeThreadRealtime(
          calls.ProcessId(), calls.ThreadId(), static_cast<uint32_t>(priority))) {
    refusal = *refused;
    return std::nullopt;
  }
  return priority;
}

// Whether locking all memory can never make a later allocation fail.
bool MayLockMemory(SystemCalls& calls) {
  if (calls.HasCapability(CAP_IPC_LOCK)) {
    return true;
  }
  rlimit limit{};
  return calls.GetResourceLimit(RLIMIT_MEMLOCK, limit) == 0 && limit.rlim_cur == RLIM_INFINITY;
}

}  // namespace

RealtimeScheduling TakeRealtimeScheduling(SystemCalls& calls, const std::string& busAddress) {
  RealtimeScheduling taken;
  std::string directRefusal =
      "the process may not take it itself (neither CAP_SYS_NICE nor RLIMIT_RTPRIO allows it)";
  if (const int32_t allowed = PriorityAllowed(calls, kTickRealtimePriority); allowed > 0) {
    const int error = calls.SetThreadScheduler(SCHED_FIFO, allowed);
    if (error == 0) {
      taken.way = RealtimeScheduling::Way::kDirect;
      taken.priority = allowed;
    } else {
      directRefusal = "SCHED_FIFO was refused: " + ErrorText(-error);
    }
  }
  if (!taken.Realtime()) {
    std::string kitRefusal;
    if (const std::optional<int32_t> granted = AskRealtimeKit(calls, busAddress, kitRefusal)) {
      taken.way = RealtimeScheduling::Way::kRealtimeKit;
      taken.priority = *granted;
    } else {
      taken.refusal = directRefusal + "; RealtimeKit: " + kitRefusal;
      return taken;
    }
  }
  taken.memoryLocked = MayLockMemory(calls) && calls.LockAllMemory() == 0;
  return taken;
}

void LeaveRealtimeScheduling(SystemCalls& calls, const RealtimeScheduling& taken) {
  if (taken.memoryLocked) {
    calls.UnlockAllMemory();
  }
}

std::string NoRealtimeNotice(const RealtimeScheduling& taken) {
  return "the ticks run without real-time priority, so a busy machine can make them late: " +
         taken.refusal;
}

}  // namespace zarvel
