#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <cstdint>

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
      // A script's ticks are those of its lines; from the last one on, the pads stay as it
      // left them, however long the execution runs.
      const auto tick = static_cast<int32_t>(std::min<int64_t>(pc_.Tick(), INT32_MAX));
      PadInput input = script_.StateAt(position, tick);
      input.tick = pc_.Tick();
      if (position >= kFirstScriptPad && position <= kLastScriptPad) {
        input.held |= HeldByHand(hands_[static_cast<size_t>(position - 1)]);
      }
      return input;
    });
    parallelPort_->Plug(*pad);
    pads_.emplace_back(position, std::move(pad));
  }
}

void SimMachine::HoldByHand(int32_t position, SimButtonBits held) {
  if (position >= kFirstScriptPad && position <= kLastScriptPad) {
    Hand& hand = hands_[static_cast<size_t>(position - 1)];
    hand.held.store(held, std::memory_order_relaxed);
    hand.tapped.fetch_or(held, std::memory_order_relaxed);
  }
}

SimButtonBits SimMachine::HeldByHand(Hand& hand) {
  // A pad is asked many times in one tick (at every latch and every read of its data line), and
  // must answer the same each time: the taps are kept for all of the tick that first showed them,
  // and dropped when a later tick begins.
  const int64_t tick = pc_.Tick();
  if (hand.tapTick >= 0 && tick != hand.tapTick) {
    hand.tapped.fetch_and(~hand.tapsShown, std::memory_order_relaxed);
    hand.tapTick = -1;
  }
  if (hand.tapTick < 0) {
    hand.tapsShown = hand.tapped.load(std::memory_order_relaxed);
    if (hand.tapsShown != 0) {
      hand.tapTick = tick;
    }
  }
  return hand.held.load(std::memory_order_relaxed) | hand.tapsShown;
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
