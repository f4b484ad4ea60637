#include "cli/runner.h"

#include <cstdlib>
#include <filesystem>

#include "cli/runner_host.h"
#include "cli/runner_output.h"
#include "platform/sim/pad_script.h"
#include "platform/thread_services.h"
#include "session/execution_session.h"

namespace zarvel {
namespace {

// How often the waiting runner looks for a stop or reload request, in milliseconds.
constexpr int32_t kStopPollPeriod = 10;

// Why the execution did not start, as the runner says it on standard error.
std::string RefusalText(const StartRefusal& refusal, const std::string& homeDir) {
  switch (refusal.reason) {
    case StartRefusal::Reason::kNoHomeDirectory:
      return "no home directory: give --home DIR or set ZARVEL_HOME";
    case StartRefusal::Reason::kHomeNotCreated:
      return "could not create the home directory " + homeDir + ": " + refusal.detail;
    case StartRefusal::Reason::kHardware:
      return refusal.detail;
    case StartRefusal::Reason::kNoThread:
      break;
  }
  return "could not start the execution thread";
}

// Waits, with no execution running, until the user asks for something. Without anyone to ask,
// there is nothing to wait for.
RunnerRequest WaitForRequest(const RequestPoll& requests) {
  if (!requests) {
    return RunnerRequest::kStop;
  }
  for (;;) {
    if (const RunnerRequest request = requests(); request != RunnerRequest::kNone) {
      return request;
    }
    SleepMilliseconds(kStopPollPeriod);
  }
}

}  // namespace

int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const RequestPoll& requests) {
  StreamSink sink(out);
  return RunConfiguration(options, state, sink, err, requests);
}

int RunConfiguration(const RunnerOptions& options, ProcessState& state, OutputSink& out,
                     std::ostream& err, const RequestPoll& requests) {
  LinuxSystemCalls calls;
  LibevdevCalls evdev;
  HardwareFactory factory(options.hardware, calls, evdev, [&err](const std::string& text) {
    err << "zarvel-run: " << text << "\n";
  });
  return RunConfiguration(options, state, out, err, requests, factory);
}

int RunConfiguration(const RunnerOptions& options, ProcessState& state, std::ostream& out,
                     std::ostream& err, const RequestPoll& requests, HardwareFactory& factory) {
  StreamSink sink(out);
  return RunConfiguration(options, state, sink, err, requests, factory);
}

int RunConfiguration(const RunnerOptions& options, ProcessState& state, OutputSink& out,
                     std::ostream& err, const RequestPoll& requests, HardwareFactory& factory) {
  // The script is read first: its name is relative to the directory the runner was started in,
  // and a script that cannot be used is the command line's fault, like any other usage error.
  PadScript script;
  if (!options.script.empty()) {
    ParsedPadScript parsed = LoadPadScript(options.script);
    if (!parsed.script) {
      err << "zarvel-run: " << parsed.error << "\n";
      return kExitUsage;
    }
    script = std::move(*parsed.script);
  }
  // Every start after the first happens in the document's directory, so the document is named
  // in full once, from the directory the runner was started in.
  std::error_code ignored;
  const std::string document = std::filesystem::absolute(options.configPath, ignored).string();

  // The output outlives the session, whose hosts report to it.
  RunnerOutput output(out, err);
  if (!output.Start()) {
    err << "zarvel-run: could not start the output thread\n";
    return kExitProcessEnded;
  }
  const auto say = [&output](const std::string& text) {
    output.WriteError("zarvel-run: " + text + "\n");
  };
  ExecutionSession session(state, factory, options.home, say);
  // Virtual time has no deadlines to keep.
  if (options.realtime && !options.fast) {
    session.AskForRealtime();
  }
  // Waits as the Stop command does: once a stop or a reload is asked for, `running` is cleared
  // and the execution ends after its current step or tick. An output that nobody reads any
  // more, or that is refused, stops it the same way.
  RunnerRequest asked = RunnerRequest::kNone;
  session.SetWaitPass([&] {
    if (session.Run().running == 1 && asked == RunnerRequest::kNone) {
      if (output.CurrentStatus() != RunnerOutput::Status::kWriting) {
        asked = RunnerRequest::kStop;
      } else if (requests) {
        asked = requests();
      }
      if (asked != RunnerRequest::kNone) {
        session.RequestStop();
      }
    }
    if (asked == RunnerRequest::kStop && session.Run().configured == 0 &&
        session.Run().finished == 0) {
      // A long configuration is read to its end before the execution looks at `running`
      // again. Nothing has been sent to the keyboard yet and the system lets go of the
      // devices with the process, so the runner ends at once, as a stop does.
      // What was reported so far (the trace) is written first, unless that would wait.
      output.Drain([] { return true; });
      err.flush();
      std::_Exit(kExitNormal);
    }
    SleepMilliseconds(kStopPollPeriod);
  });
  // Every line reported is written before the runner ends, unless a stop is asked for while it
  // waits for a slow reader. An output that was refused ends the runner with status 1.
  const auto finish = [&](int status) {
    output.Drain([&] { return requests && requests() == RunnerRequest::kStop; });
    if (output.CurrentStatus() == RunnerOutput::Status::kFailed) {
      say(output.Failure());
      return kExitProcessEnded;
    }
    return status;
  };

  bool waitAfterBadThing = !options.autostart.empty();
  for (;;) {
    asked = RunnerRequest::kNone;
    RunnerHost* host = nullptr;
    const auto makeHost = [&](RunBlock& runBlock, std::unique_ptr<ExecutionHardware> hardware) {
      auto made = std::make_unique<RunnerHost>(runBlock, output, options.tickLimit, options.fast,
                                               options.trace, std::move(hardware));
      if (options.monitor) {
        made->MonitorPads(options.tickTimes);
      }
      host = made.get();
      return made;
    };
    if (std::optional<StartRefusal> refusal = session.Start(document, makeHost, script)) {
      say(RefusalText(*refusal, session.HomeDir()));
      return finish(kExitProcessEnded);
    }
    session.WaitUntilEnded();
    if (asked == RunnerRequest::kReload) {
      waitAfterBadThing = true;
      continue;
    }

    const RunnerEnding ending = host->Ending();
    if (ending != RunnerEnding::kNormal && waitAfterBadThing && asked == RunnerRequest::kNone) {
      // The Bad Thing, or the check that would have ended the process, is on standard error;
      // the user mends the configuration or the wiring and reloads.
      if (WaitForRequest(requests) == RunnerRequest::kReload) {
        continue;
      }
      return finish(kExitNormal);
    }
    switch (ending) {
      case RunnerEnding::kBadThing:
        return finish(kExitBadThing);
      case RunnerEnding::kProcessEnded:
        return finish(kExitProcessEnded);
      case RunnerEnding::kNormal:
        break;
    }
    return finish(kExitNormal);
  }
}

}  // namespace zarvel
