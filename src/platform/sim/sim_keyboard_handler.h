#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace zarvel {

class SimKeyboardController;
class SimPc;

// The host system's keyboard handling on the simulated PC. The "old" and "new" injection
// methods wait, with interrupts disabled, for the system to empty the controller's output
// buffer; they work only on hosts whose keyboard handling does that regardless of the
// program's interrupt flag. This one does: a few status reads after the output buffer fills,
// it reads port 0x60 as the system would and reports the byte, with the tick it arrived in,
// as a delivered scan code.
class SimKeyboardHandler {
 public:
  using DeliveryListener = std::function<void(int64_t tick, uint8_t byte)>;

  // Status reads, counting the one that found the output buffer full, before the handler runs.
  static constexpr int kReadsBeforeHandling = 3;

  explicit SimKeyboardHandler(const SimPc& pc) : pc_(pc) {}

  // Told every delivered byte, on the thread that drives the simulated PC.
  void SetListener(DeliveryListener listener) { listener_ = std::move(listener); }

  // Called by the controller after each status read.
  void StatusPolled(SimKeyboardController& controller);

 private:
  const SimPc& pc_;
  DeliveryListener listener_;
  int readsWhileFull_ = 0;
};

}  // namespace zarvel
