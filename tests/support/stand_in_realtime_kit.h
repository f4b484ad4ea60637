#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

struct DBusConnection;
struct DBusMessage;

namespace zarvel::testing {

// How the stand-in answers.
struct StandInAnswers {
  bool serve = true;  // false: the bus runs, but nobody owns RealtimeKit's name on it.
  int32_t maxPriority = 20;
  int64_t rtTimeUsecMax = 200000;
  // When set, every MakeThreadRealtime request is refused with this error name and message.
  std::string refusalName;
  std::string refusalMessage;
};

// A message bus of the test's own (dbus-daemon on a socket in a temporary directory) with a
// stand-in for RealtimeKit on it: it answers the properties a client reads and the requests to
// make a thread real-time, changes nothing, and keeps every call as a line of text
// ("Get MaxRealtimePriority", "MakeThreadRealtimeWithPID 4000 4001 10").
class StandInRealtimeKit {
 public:
  explicit StandInRealtimeKit(StandInAnswers answers = {});
  ~StandInRealtimeKit();
  StandInRealtimeKit(const StandInRealtimeKit&) = delete;
  StandInRealtimeKit& operator=(const StandInRealtimeKit&) = delete;

  // Why the bus or the service could not be started (no dbus-daemon); empty once both run.
  const std::string& Problem() const { return problem_; }
  // The bus's address, for the client.
  const std::string& Address() const { return address_; }
  // Every call the service has answered so far.
  std::vector<std::string> Calls();

 private:
  void StartBus();
  void StartService();
  void Serve();
  void Answer(DBusMessage* message);

  StandInAnswers answers_;
  TempDir dir_;
  std::string problem_;
  std::string address_;
  pid_t daemon_ = -1;
  DBusConnection* connection_ = nullptr;
  std::thread server_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace zarvel::testing
