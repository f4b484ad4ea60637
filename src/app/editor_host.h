#pragma once

#include <string>

#include "engine/run_block.h"
#include "platform/execution_host.h"
#include "platform/sim/sim_machine.h"

namespace zarvel {

class UserPrompts;

// The editor's services for one execution, built afresh for each one: the simulated PC as
// the hardware (wired from the files the execution will read, its pads plugged in and idle),
// the real clock, and the "Bad Thing" box. The box is a GUI window, which only
// the GUI thread may create, so the execution thread hands it over to the GUI thread and
// waits there until the user has closed it.
class EditorHost : public ExecutionHost {
 public:
  // `runBlock` must hold the document's path and the home directory already.
  EditorHost(UserPrompts& prompts, const RunBlock& runBlock);

  PortIo& Port() override { return machine_.Pc(); }
  void SleepMs(int32_t milliseconds) override;
  void TickStarts(int32_t tick) override { machine_.Pc().SetTick(tick); }
  void ShowBadThing(const std::string& message) override;
  // A desktop user sees no standard error stream, so the two checks that end the runner's
  // process show their text in the same box here, and the execution ends as an error stop.
  void EndProcess(const std::string& message) override;

  SimMachine& Machine() { return machine_; }

 private:
  // Asks the GUI thread for the box and returns once the user has dismissed it.
  void ShowAndWait(const std::string& message);

  UserPrompts& prompts_;
  SimMachine machine_;
};

}  // namespace zarvel
