#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/execution_hardware.h"
#include "session/session_host.h"

namespace zarvel {

class UserPrompts;

// The editor's services for one execution, built afresh for each one: the hardware made for it
// (the simulated PC, its pads plugged in and idle, unless real back ends were chosen), the real
// clock, and the "Bad Thing" box. The box is a GUI window, which only
// the GUI thread may create, so the execution thread hands it over to the GUI thread and
// waits there until the user has closed it.
class EditorHost : public SessionHost {
 public:
  // Shows a line in the status bar; it is called on the execution thread.
  using Notice = std::function<void(const std::string& text)>;

  // Told the message of a "Bad Thing" as its box appears; it is called on the execution thread.
  using BadThingSeen = std::function<void(const std::string& message, const SettingsPlace& place)>;

  EditorHost(UserPrompts& prompts, std::unique_ptr<ExecutionHardware> hardware, Notice notice = {},
             BadThingSeen badThingSeen = {});

  void SleepMs(int32_t milliseconds) override;
  void SleepUntilTick(std::chrono::steady_clock::time_point nextTick,
                      std::chrono::nanoseconds period) override;
  void PadPresenceChanged(int32_t pad, const std::string& header, bool plugged) override;
  void ShowBadThing(const BadThing& stop) override;
  // A desktop user sees no standard error stream, so the two checks that end the runner's
  // process show their text in the same box here, and the execution ends as an error stop.
  void EndProcess(const ProcessEndingStop& stop) override;

 private:
  // Asks the GUI thread for the box and returns once the user has dismissed it.
  void ShowAndWait(const std::string& message);

  UserPrompts& prompts_;
  Notice notice_;
  BadThingSeen badThingSeen_;
};

}  // namespace zarvel
