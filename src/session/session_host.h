#pragma once

#include <memory>
#include <string>

#include "engine/execution_host.h"
#include "platform/execution_hardware.h"

namespace zarvel {

// What both programs say when a pad, numbered from 1 in discovery order under its section's
// header, seems unplugged or is back: "pad 1 ([snes 1]) seems unplugged".
inline std::string PadPresenceText(int32_t pad, const std::string& header, bool plugged) {
  return "pad " + std::to_string(pad) + " (" + header + ")" +
         (plugged ? " is back" : " seems unplugged");
}

// What the hosts of both programs share: the hardware opened for one execution, which the
// execution drives and lets go of as soon as it has ended. The runner and the editor add their
// clock and their way of showing messages.
class SessionHost : public ExecutionHost {
 public:
  explicit SessionHost(std::unique_ptr<ExecutionHardware> hardware)
      : hardware_(std::move(hardware)) {}

  PortIo& Port() override { return hardware_->Port(); }
  void PadsExpected(int32_t portBase, std::span<const PadPlace> pads) override {
    hardware_->PlugExpectedPads(portBase, pads);
  }
  void TickStarts(int32_t tick) override { hardware_->Machine().Pc().SetTick(tick); }
  bool TakesEveryQueuedByte() const override { return hardware_->HasVirtualKeyboard(); }
  void SlotStarts(int32_t slot) override { hardware_->Machine().Pc().SetTick(slot); }
  // The execution drives nothing more: the real devices are let go here, on the execution
  // thread and before `finished` is set, so a Stop returns only once they are released.
  void Ended() override { hardware_->ReleaseDevices(); }

  ExecutionHardware& Hardware() { return *hardware_; }

 private:
  std::unique_ptr<ExecutionHardware> hardware_;
};

}  // namespace zarvel
