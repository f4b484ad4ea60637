#include "session/execution_session.h"

#include <filesystem>

#include "engine/execution_thread.h"
#include "platform/home_directory.h"
#include "platform/thread_services.h"

namespace zarvel {
namespace {

// How long one pass of a wait sleeps when the program gives it nothing else to do.
constexpr int32_t kWaitPollPeriod = 1;

}  // namespace

ExecutionSession::ExecutionSession(ProcessState& state, HardwareFactory& factory,
                                   const std::string& commandLineHome, NoticeSink notice)
    : state_(state),
      factory_(factory),
      notice_(std::move(notice)),
      waitPass_([] { SleepMilliseconds(kWaitPollPeriod); }),
      startThread_(StartThread) {
  runBlock_.homeDir = FindHomeDirectory(commandLineHome);
  runBlock_.running = 0;
  runBlock_.finished = 1;
}

ExecutionSession::~ExecutionSession() {
  Stop();
}

std::optional<StartRefusal> ExecutionSession::Start(const std::string& documentPath,
                                                    const HostMaker& makeHost, PadScript script) {
  // Only one execution runs at a time, and each one uses the session's run block.
  Stop();
  if (std::optional<StartRefusal> refusal = PrepareHome()) {
    return refusal;
  }

  // The execution gets the document's full path; the process keeps its current directory, so
  // the editor's dialogs keep their folder and a relative path of the user's keeps its meaning.
  namespace fs = std::filesystem;
  std::error_code ignored;
  runBlock_.path = fs::absolute(documentPath, ignored).string();
  ++runBlock_.generation;

  // The hardware is had before the execution starts, so a missing device or privilege is
  // refused before anything runs.
  HardwareFactory::Opened opened =
      factory_.Open(runBlock_.path, runBlock_.homeDir, std::move(script));
  if (!opened.hardware) {
    // What was had before the refusal goes back at once, grants included.
    factory_.ReleaseBetweenExecutions();
    return StartRefusal{StartRefusal::Reason::kHardware, opened.error};
  }
  host_ = makeHost(runBlock_, std::move(opened.hardware));

  runBlock_.running = 1;
  runBlock_.finished = 0;
  runBlock_.configured = 0;
  thread_ = startThread_([this, host = host_.get()] {
    const RealtimeScheduling realtime = TakeRealtime();
    ExecutionThread(runBlock_, state_, *host);
    // The session joins the thread before anything starts again, so the next thread cannot
    // lock memory before this one has let go of it.
    LeaveRealtimeScheduling(factory_.Calls(), realtime);
  });
  if (!thread_) {
    // No thread will ever set `finished`, so the session puts the flags back itself, and the
    // hardware goes with the host.
    runBlock_.running = 0;
    runBlock_.finished = 1;
    host_.reset();
    factory_.ReleaseBetweenExecutions();
    return StartRefusal{StartRefusal::Reason::kNoThread, {}};
  }
  return std::nullopt;
}

void ExecutionSession::RequestStop() {
  if (runBlock_.finished == 0) {
    runBlock_.running = 0;
  }
}

void ExecutionSession::WaitUntilEnded() {
  while (runBlock_.finished == 0) {
    waitPass_();
  }
  // `finished` is the thread's last act, so the join returns at once; the host let go of the
  // devices just before it.
  if (thread_ && thread_->joinable()) {
    thread_->join();
    factory_.ReleaseBetweenExecutions();
  }
  thread_.reset();
}

void ExecutionSession::Stop() {
  RequestStop();
  WaitUntilEnded();
}

RealtimeScheduling ExecutionSession::TakeRealtime() {
  if (!realtimeBus_) {
    return {};
  }
  RealtimeScheduling taken = TakeRealtimeScheduling(factory_.Calls(), *realtimeBus_);
  if (!taken.Realtime() && !noRealtimeSaid_ && notice_) {
    noRealtimeSaid_ = true;
    notice_(NoRealtimeNotice(taken));
  }
  return taken;
}

std::optional<StartRefusal> ExecutionSession::PrepareHome() {
  if (runBlock_.homeDir.empty()) {
    return StartRefusal{StartRefusal::Reason::kNoHomeDirectory, {}};
  }
  // Made through sudo, the home directory must be the user's, or the user who ran sudo could
  // not change the settings in it afterwards; the factory's calls give it to them.
  const SeedResult seeded = factory_.SeedHome(runBlock_.homeDir);
  if (seeded.error) {
    return StartRefusal{StartRefusal::Reason::kHomeNotCreated, *seeded.error};
  }
  if (notice_ && seeded.created) {
    notice_(HomeCreatedNotice(runBlock_.homeDir));
  }
  if (notice_ && !seeded.added.empty()) {
    notice_(HomeFilesAddedNotice(runBlock_.homeDir, seeded.added));
  }
  return std::nullopt;
}

}  // namespace zarvel
