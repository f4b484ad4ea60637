#include "platform/sim/sim_machine.h"

namespace zarvel {

SimMachine::SimMachine() : SimMachine(PortWiring{}, PadScript{}) {}

SimMachine::SimMachine(const PortWiring& wiring, PadScript script) : script_(std::move(script)) {
  keyboardController_.ConnectHost(keyboardHandler_);
  pc_.Attach(keyboardController_);
  pc_.Attach(interruptMask_);
  Wire(wiring);
}

void SimMachine::Wire(const PortWiring& wiring) {
  if (!wiring.base || parallelPort_) {
    return;
  }
  parallelPort_.emplace(*wiring.base);
  pc_.Attach(*parallelPort_);
  for (const PadWiring& padWiring : wiring.pads) {
    // Each pad does what the script says for its position at the tick the PC is in.
    const int32_t position = padWiring.position;
    auto pad = std::make_unique<SimGamePad>(padWiring.kind, padWiring.cable, [this, position] {
      PadInput input = script_.StateAt(position, pc_.Tick());
      if (position >= kFirstScriptPad && position <= kLastScriptPad) {
        input.held =
            static_cast<uint16_t>(input.held | heldByHand_[static_cast<size_t>(position - 1)].load(
                                                   std::memory_order_relaxed));
      }
      return input;
    });
    parallelPort_->Plug(*pad);
    pads_.emplace_back(position, std::move(pad));
  }
}

void SimMachine::HoldByHand(int32_t position, uint16_t held) {
  if (position >= kFirstScriptPad && position <= kLastScriptPad) {
    heldByHand_[static_cast<size_t>(position - 1)].store(held, std::memory_order_relaxed);
  }
}

SimGamePad* SimMachine::Pad(int32_t position) {
  for (auto& [padPosition, pad] : pads_) {
    if (padPosition == position) {
      return pad.get();
    }
  }
  return nullptr;
}

}  // namespace zarvel
