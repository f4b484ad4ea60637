#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "engine/process_state.h"
#include "engine/run_block.h"
#include "platform/hardware_factory.h"
#include "platform/linux/realtime_scheduling.h"
#include "session/session_host.h"

namespace zarvel {

// Why an execution did not start. Each program words it for its own user.
struct StartRefusal {
  enum class Reason : uint8_t {
    kNoHomeDirectory,  // Neither an option nor the environment names one.
    kHomeNotCreated,   // `detail` says why.
    kHardware,         // `detail` is the back end's message, with what to do about it.
    kNoThread,         // The system refused a new thread.
  };
  Reason reason;
  std::string detail;
};

// The whole life of every execution a program starts, for the runner and the editor alike:
// the home directory, the document's full path (the current directory is left alone), the hardware
// opened through the factory, the host, the run block's flags, the execution thread, and the
// release of everything the execution opened as soon as it has ended. One session lives as long as
// the program's frame or run, and runs one execution at a time.
class ExecutionSession {
 public:
  // Makes the host of one execution around the hardware opened for it. The run block is the
  // session's, for a host that ends the execution itself (the runner's last tick).
  using HostMaker =
      std::function<std::unique_ptr<SessionHost>(RunBlock&, std::unique_ptr<ExecutionHardware>)>;
  // How a thread is started; the system's own way unless a test says otherwise.
  using ThreadStarter = std::function<std::optional<std::thread>(std::function<void()>)>;

  // The home directory is worked out now, from `commandLineHome` or the environment, against
  // the directory the program was started in. `state` and `factory` outlive the session.
  ExecutionSession(ProcessState& state, HardwareFactory& factory,
                   const std::string& commandLineHome, NoticeSink notice = {});
  // Stops a running execution and waits for its end.
  ~ExecutionSession();
  ExecutionSession(const ExecutionSession&) = delete;
  ExecutionSession& operator=(const ExecutionSession&) = delete;

  // Starts an execution of the document, stopping the one that runs first. Nothing is left
  // running or open when it is refused.
  std::optional<StartRefusal> Start(const std::string& documentPath, const HostMaker& makeHost,
                                    PadScript script = {});

  // Asks the running execution to stop; it ends after its current step or tick.
  void RequestStop();
  // Waits until the execution has ended and everything it opened is released; at once when none
  // runs. A program calls it as well when it sees an execution that ended by itself.
  void WaitUntilEnded();
  // Both of the above: the Stop command.
  void Stop();

  // Whether an execution has been started and has not ended yet.
  bool Running() const { return runBlock_.finished == 0; }
  const RunBlock& Run() const { return runBlock_; }
  const std::string& HomeDir() const { return runBlock_.homeDir; }
  // The host of the last execution started; it stays until the next one starts.
  SessionHost* Host() const { return host_.get(); }

  // What each pass of a wait does besides looking at `finished` (handle events, look for a
  // stop request); by default it sleeps a millisecond.
  void SetWaitPass(std::function<void()> pass) { waitPass_ = std::move(pass); }
  void SetThreadStarter(ThreadStarter starter) { startThread_ = std::move(starter); }

  // From the next start on, each execution's thread first asks for real-time priority for
  // itself alone (see TakeRealtimeScheduling), through the factory's system calls and, where
  // the process may not take it itself, RealtimeKit on the bus at `busAddress` (the system
  // bus when empty). The first thread that runs without says so through the notice sink; the
  // later ones say nothing more.
  void AskForRealtime(std::string busAddress = {}) { realtimeBus_ = std::move(busAddress); }

 private:
  std::optional<StartRefusal> PrepareHome();
  // The execution thread's scheduling, as AskForRealtime asked for it.
  RealtimeScheduling TakeRealtime();

  ProcessState& state_;
  HardwareFactory& factory_;
  NoticeSink notice_;
  RunBlock runBlock_;
  std::unique_ptr<SessionHost> host_;
  std::optional<std::thread> thread_;
  std::function<void()> waitPass_;
  ThreadStarter startThread_;
  std::optional<std::string> realtimeBus_;  // Set when the threads ask for real-time priority.
  bool noRealtimeSaid_ = false;             // Used on execution threads only, one at a time.
};

}  // namespace zarvel
