#pragma once

#include <cstdint>
#include <string>

#include "platform/linux/system_calls.h"

namespace zarvel {

// The SCHED_FIFO priority the execution thread asks for. It is low: above every thread of the
// ordinary kind, so a busy machine cannot make a tick late, yet below the kernel's interrupt
// threads (50) and within what RealtimeKit grants (20 by default).
inline constexpr int32_t kTickRealtimePriority = 10;

// How the thread that asked runs from now on.
struct RealtimeScheduling {
  enum class Way : uint8_t {
    kNone,         // As every ordinary thread; `refusal` says why.
    kDirect,       // The process was allowed to set SCHED_FIFO itself.
    kRealtimeKit,  // RealtimeKit set it.
  };
  Way way = Way::kNone;
  int32_t priority = 0;
  // Whether the process's memory is locked, so no page the ticks touch is paged out.
  bool memoryLocked = false;
  // Why the thread is not real-time, as a person should read it.
  std::string refusal;

  bool Realtime() const { return way != Way::kNone; }
};

// Makes the calling thread, and only it, run SCHED_FIFO at kTickRealtimePriority (or the
// highest priority allowed below it). Directly when the process may: with CAP_SYS_NICE, or an
// RLIMIT_RTPRIO above 0. Otherwise RealtimeKit is asked, on the system bus (or on the bus at
// `busAddress` when one is given), after the process's RLIMIT_RTTIME has been brought down to
// what the service requires. Once real-time, the process's memory is locked where that cannot
// make a later allocation fail: with CAP_IPC_LOCK or no limit on locked memory.
RealtimeScheduling TakeRealtimeScheduling(SystemCalls& calls, const std::string& busAddress = {});

// Undoes the memory lock, once the thread that took real-time scheduling is done with it (the
// scheduling itself ends with the thread).
void LeaveRealtimeScheduling(SystemCalls& calls, const RealtimeScheduling& taken);

// What a program says, once, when its ticks run without real-time priority.
std::string NoRealtimeNotice(const RealtimeScheduling& taken);

}  // namespace zarvel
