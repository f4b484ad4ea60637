#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "base/bad_thing.h"
#include "base/trace_sink.h"
#include "config/pad_sections.h"
#include "config/settings_files.h"
#include "hardware/port_io.h"
#include "pads/control_pad.h"

namespace zarvel {

// What an execution needs from whoever started it. The runner and the editor each give one;
// tests give fakes. The execution thread calls every operation here, and only it. The host is
// also where the execution's trace goes.
class ExecutionHost : public TraceSink {
 public:
  virtual ~ExecutionHost() = default;

  // The ports the execution drives: the simulated PC, the real hardware or a fake.
  virtual PortIo& Port() = 0;

  // Sleeps for the given number of milliseconds (a slot at the end of the execution). A host
  // that counts ticks or keeps virtual time does so here.
  virtual void SleepMs(int32_t milliseconds) = 0;

  // Waits between two ticks, until `nextTick` on the monotonic clock: ticks start on a fixed
  // schedule, so the tick's own work does not lengthen the period. A host that keeps virtual
  // time counts a period of `period`, in whole milliseconds as SleepMs does (the default).
  virtual void SleepUntilTick(std::chrono::steady_clock::time_point /*nextTick*/,
                              std::chrono::nanoseconds period) {
    SleepMs(static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(period).count()));
  }

  // Told, once the configuration has given the port's address and before the first pad is set
  // up, every pad the configuration asks for in the order they are set up, so a simulated PC
  // can plug in exactly those pads without reading the configuration itself.
  virtual void PadsExpected(int32_t /*portBase*/, std::span<const PadPlace> /*pads*/) {}

  // Told once every pad has been found and set up, before the first tick, so a host can show
  // them: their sections, kinds, button names and shift buttons stay as they are now until the
  // execution ends.
  virtual void PadsConfigured(std::span<const ControlPad> /*pads*/) {}

  // Told just before each tick, counting from 1, so a simulated PC can follow the ticks.
  virtual void TickStarts(int64_t /*tick*/) {}

  // Told in every tick, once every pad has been read and processed and before any byte is sent,
  // the pads as they are now: what each reads as pressed, its shift state, whether it seems
  // unplugged. It runs inside the tick, so it must neither allocate nor wait.
  virtual void PadsProcessed(std::span<const ControlPad> /*pads*/) {}

  // Told every byte the execution sends to the keyboard, as it goes, the ending execution's
  // key releases included. It runs inside the tick, so it must neither allocate nor wait.
  virtual void KeySent(uint8_t /*byte*/) {}

  // Whether every byte a tick queues goes out in that tick. A keyboard controller holds one byte
  // at a time, so by default one byte leaves a tick; a keyboard that is no controller (the
  // virtual keyboard) takes them all at once.
  virtual bool TakesEveryQueuedByte() const { return false; }

  // Told before each slot in which an ending execution sends a byte of the keys it lets go,
  // numbered on from the last tick. No pad is read in a slot.
  virtual void SlotStarts(int64_t /*slot*/) {}

  // Told when a pad, numbered from 1 in the order the pads were found, under its section's
  // header, starts to seem unplugged (`plugged` false) or is plugged in again.
  virtual void PadPresenceChanged(int32_t /*pad*/, const std::string& /*header*/,
                                  bool /*plugged*/) {}

  // Shows the "Bad Thing" message of an execution that meets an error, and returns only
  // once the user has dismissed it. The stop also says where in the configuration's files it
  // concerns (its Place), for a host that points there.
  virtual void ShowBadThing(const BadThing& stop) = 0;

  // One of the two checks that end the whole process. A host may end the process here (the
  // runner does); if it returns, the execution ends as an error stop would.
  virtual void EndProcess(const ProcessEndingStop& stop) = 0;

  // Told the configuration's files as the execution read them, once it is done with them (the
  // configuration ended, or stopped), just before it lets them go: a host that checks the
  // configuration may take them (move them out), to look at the very text the execution read
  // without reading it again.
  virtual void SettingsRead(SettingsFiles& /*files*/) {}

  // Where the configuration trace goes when the host wants to see it; nowhere by default.
  void Trace(const std::string& /*text*/) override {}

  // Told once the execution has ended, whichever way, just before `finished` is set: it will
  // drive the port no more, so whatever the host lets go of here is let go before a Stop that
  // waits for `finished` returns.
  virtual void Ended() {}
};

}  // namespace zarvel
