#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/execution_host.h"
#include "engine/run_block.h"
#include "support/recording_port.h"

namespace zarvel::testing {

// An execution host for tests: a recording port, a clock that stops the execution after a
// given number of ticks, and a record of every message the execution shows.
class FakeHost : public ExecutionHost {
 public:
  explicit FakeHost(RunBlock& runBlock, int32_t tickLimit = 1)
      : runBlock_(runBlock), tickLimit_(tickLimit) {}

  PortIo& Port() override { return port; }
  void SleepMs(int32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    if (static_cast<int32_t>(sleeps.size()) >= tickLimit_) {
      runBlock_.running = 0;
    }
  }
  void TickStarts(int64_t tick) override { ticks.push_back(tick); }
  void ShowBadThing(const BadThing& stop) override {
    // What the execution has done by the time its box is up.
    finishedWhileBoxShown = runBlock_.finished.load();
    badThings.push_back(stop.what());
    badThingPlaces.push_back(stop.Place());
    if (onBadThing) {
      onBadThing();
    }
  }
  void EndProcess(const ProcessEndingStop& stop) override {
    processStops.push_back(stop.what());
    traceAtProcessStop = trace;
  }
  void Trace(const std::string& text) override { trace += text; }

  RecordingPort port;
  std::vector<int32_t> sleeps;
  std::vector<int64_t> ticks;
  std::vector<SettingsPlace> badThingPlaces;
  std::vector<std::string> badThings;
  std::vector<std::string> processStops;
  std::string trace;
  std::string traceAtProcessStop;  // The trace as it was when the process was ended.
  uint8_t finishedWhileBoxShown = 0;
  std::function<void()> onBadThing;

 private:
  RunBlock& runBlock_;
  int32_t tickLimit_;
};

}  // namespace zarvel::testing
