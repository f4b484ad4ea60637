#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

// libdbus's connection, kept out of the header so only the client's source sees the library.
struct DBusConnection;

namespace zarvel {

// What RealtimeKit grants at most.
struct RealtimeKitLimits {
  // MaxRealtimePriority: the highest SCHED_FIFO priority it gives a thread.
  int32_t maxPriority = 0;
  // RTTimeUSecMax: the largest RLIMIT_RTTIME, in microseconds, a process may have set when it
  // asks (a real-time thread that runs that long without sleeping is stopped by the kernel).
  int64_t rtTimeUsecMax = 0;
};

// A client of RealtimeKit (org.freedesktop.RealtimeKit1), the desktop's service that makes a
// thread of a process without privileges real-time, as audio servers ask it to. It is reached
// over the system bus, or over the bus at `busAddress` when one is given (a test's own bus).
// Every call waits a few seconds at most for its answer, so a bus that hangs cannot hold up
// an execution for long.
class RealtimeKitClient {
 public:
  explicit RealtimeKitClient(std::string busAddress = {});
  ~RealtimeKitClient();
  RealtimeKitClient(const RealtimeKitClient&) = delete;
  RealtimeKitClient& operator=(const RealtimeKitClient&) = delete;

  // Connects to the bus. Returns why it could not.
  std::optional<std::string> Connect();

  // The service's limits, or nothing with `error` saying why they could not be read.
  std::optional<RealtimeKitLimits> ReadLimits(std::string& error);

  // Asks for the thread `thread` of the process `process` to run SCHED_FIFO at `priority`.
  // Returns why the service refused, or why it could not be asked.
  std::optional<std::string> MakeThreadRealtime(pid_t process, pid_t thread, uint32_t priority);

 private:
  std::string busAddress_;
  DBusConnection* connection_ = nullptr;
};

}  // namespace zarvel
