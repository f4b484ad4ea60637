#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/execution_host.h"
#include "engine/pad_layout.h"
#include "engine/tick_snapshot.h"
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
  // Told, on the execution thread, the pads once they are set up.
  using PadsShown = std::function<void(std::vector<PadLayout> pads)>;

  explicit SessionHost(std::unique_ptr<ExecutionHardware> hardware)
      : hardware_(std::move(hardware)) {}

  // Shows the execution to a window that looks on: its pads once they are set up, then every
  // tick's pads and every byte sent through `snapshot`, which outlives the host.
  void ShowPads(TickSnapshot& snapshot, PadsShown padsShown) {
    snapshot_ = &snapshot;
    padsShown_ = std::move(padsShown);
  }

  PortIo& Port() override { return hardware_->Port(); }
  void PadsExpected(int32_t portBase, std::span<const PadPlace> pads) override {
    hardware_->PlugExpectedPads(portBase, pads);
  }
  void PadsConfigured(std::span<const ControlPad> pads) override {
    if (padsShown_) {
      padsShown_(LayoutOfPads(pads));
    }
  }
  void TickStarts(int64_t tick) override {
    tick_ = tick;
    hardware_->Machine().Pc().SetTick(tick);
  }
  void PadsProcessed(std::span<const ControlPad> pads) override {
    if (snapshot_ != nullptr) {
      snapshot_->PublishPads(tick_, pads);
    }
  }
  void KeySent(uint8_t byte) override {
    if (snapshot_ != nullptr) {
      snapshot_->PublishByte(byte);
    }
  }
  bool TakesEveryQueuedByte() const override { return hardware_->HasVirtualKeyboard(); }
  void SlotStarts(int64_t slot) override { hardware_->Machine().Pc().SetTick(slot); }
  // Told on the execution thread once the execution has ended and let go of its devices, just
  // before `finished` is set, so that a program can handle the end as an event of its own.
  void WhenEnded(std::function<void()> ended) { ended_ = std::move(ended); }

  // The execution drives nothing more: the real devices are let go here, on the execution
  // thread and before `finished` is set, so a Stop returns only once they are released.
  void Ended() override {
    hardware_->ReleaseDevices();
    if (ended_) {
      ended_();
    }
  }

  ExecutionHardware& Hardware() { return *hardware_; }

 protected:
  // The tick under way, counting from 1; 0 before the first.
  int64_t TickUnderWay() const { return tick_; }

 private:
  std::unique_ptr<ExecutionHardware> hardware_;
  TickSnapshot* snapshot_ = nullptr;
  PadsShown padsShown_;
  std::function<void()> ended_;
  int64_t tick_ = 0;  // The tick under way.
};

}  // namespace zarvel
