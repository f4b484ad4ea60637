#include "platform/sim/sim_keyboard_handler.h"

#include "platform/sim/sim_keyboard_controller.h"
#include "platform/sim/sim_pc.h"

namespace zarvel {

void SimKeyboardHandler::StatusPolled(SimKeyboardController& controller) {
  if (!controller.OutputFull()) {
    readsWhileFull_ = 0;
    return;
  }
  if (++readsWhileFull_ < kReadsBeforeHandling) {
    return;
  }
  readsWhileFull_ = 0;
  const uint8_t byte = controller.Read(kControllerDataPort);
  if (listener_) {
    listener_(pc_.Tick(), byte);
  }
}

}  // namespace zarvel
