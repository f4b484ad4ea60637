#include "mapping/button_processing.h"

#include <algorithm>

#include "inject/key_queue.h"
#include "mapping/button_gestures.h"
#include "pads/button_encoding.h"

namespace zarvel {
namespace {

static_assert(kStagingRoom >= kKeyTableEntryRoom, "every table entry must fit the staging area");

// Every button's own item follows its read, as on a pad without gestures.
constexpr PerButton<uint8_t> kEveryButtonPasses = [] {
  PerButton<uint8_t> pass{};
  pass.fill(1);
  return pass;
}();

void QueueEntry(int32_t button, int32_t row, const KeyTable& table, KeyQueue& queue,
                KeySequence& staging) {
  CopyTableEntry(button, row, table, staging);
  queue.PushSequence(staging);
}

// The bytes the queue takes of the staged sequence; zero bytes are dropped.
int32_t QueuedLength(const KeySequence& staging) {
  int32_t length = 0;
  for (const uint8_t byte : KeyBytes(staging)) {
    length += byte != 0 ? 1 : 0;
  }
  return length;
}

// Queues the step of a repeating button whose output has just changed, when the queue has room
// for the whole of its entry. A step without room is skipped instead: the output stays as it
// was and the counter is set to step again at the next tick, so the button repeats as fast as
// the keyboard takes its bytes, and no key's bytes are ever cut short.
void QueueRepeatStep(ControlPad& pad, int16_t button, KeyQueue& queue, KeySequence& staging) {
  const size_t i = static_cast<size_t>(button);
  const bool down = pad.out[i] == 1;
  CopyTableEntry(button, down ? pad.shift : pad.prevShift, down ? pad.keyDown : pad.keyUp, staging);
  if (QueuedLength(staging) <= queue.Room()) {
    queue.PushSequence(staging);
    return;
  }
  pad.out[i] = pad.prevOut[i];
  pad.repeatCount[i] =
      std::max<int8_t>(static_cast<int8_t>(pad.repeatPeriod[i] - 1), kRepeatCountStart);
}

}  // namespace

void UpdateButtonOutputs(ControlPad& pad) {
  pad.prevOut = pad.out;
  // A button held back by its gestures reads as released until its own item starts.
  const PerButton<uint8_t>& pass = pad.gestures ? pad.gestures->pass : kEveryButtonPasses;
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    const size_t i = static_cast<size_t>(b);
    const uint8_t raw = pad.raw[i] & pass[i];
    if (pad.toggle[i] != kToggleOff) {
      // A latching button flips at each press and ignores releases.
      if (raw == 1 && (pad.toggle[i] & kToggleWasPressed) == 0) {
        pad.out[i] = pad.out[i] == 0 ? 1 : 0;
      }
      pad.toggle[i] = static_cast<uint8_t>((pad.toggle[i] & kToggleLatches) |
                                           (raw != 0 ? kToggleWasPressed : 0));
    } else if (pad.repeatCount[i] != kRepeatOff) {
      // The counter runs on every tick, held or not, and restarts at 1 at each step; between
      // steps the output stays as it is.
      ++pad.repeatCount[i];
      if (pad.repeatCount[i] >= pad.repeatPeriod[i]) {
        pad.repeatCount[i] = kRepeatCountStart;
        pad.out[i] = raw == 1 ? (pad.out[i] == 0 ? 1 : 0) : 0;
      }
    } else {
      pad.out[i] = raw;
    }
  }
}

void UpdateShiftState(ControlPad& pad) {
  pad.prevShiftIn = pad.shiftIn;
  pad.prevShift = pad.shift;
  for (int32_t k = 0; k < pad.numShifts; ++k) {
    const size_t b = static_cast<size_t>(pad.shiftButtons[static_cast<size_t>(k)]);
    pad.shiftIn[b] = pad.out[b];
  }
  // A shift button still settling leaves the state as it was for this tick.
  if (pad.shiftIn != pad.prevShiftIn) {
    return;
  }
  pad.shift = 0;
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    if (pad.shiftIn[static_cast<size_t>(b)] == 0) {
      continue;
    }
    for (int32_t k = 0; k < pad.numShifts; ++k) {
      if (pad.shiftButtons[static_cast<size_t>(k)] == b) {
        pad.shift = static_cast<uint8_t>(k + 1);
        return;
      }
    }
    return;
  }
}

void EmitKeyEvents(ControlPad& pad, KeyQueue& queue, KeySequence& staging) {
  staging.length = 0;
  for (int16_t b = 0; b < pad.buttonCount; ++b) {
    const size_t i = static_cast<size_t>(b);
    if (pad.repeatCount[i] != kRepeatOff && pad.out[i] != pad.prevOut[i]) {
      QueueRepeatStep(pad, b, queue, staging);
    } else if (pad.out[i] == 1 && pad.prevOut[i] == 0) {
      QueueEntry(b, pad.shift, pad.keyDown, queue, staging);
    } else if (pad.out[i] == 1 && pad.shift != pad.prevShift) {
      // Released under the old state and pressed again under the new one, so the key-up sent
      // always belongs to the button's last key-down.
      QueueEntry(b, pad.prevShift, pad.keyUp, queue, staging);
      QueueEntry(b, pad.shift, pad.keyDown, queue, staging);
    } else if (pad.out[i] == 0 && pad.prevOut[i] == 1) {
      QueueEntry(b, pad.prevShift, pad.keyUp, queue, staging);
    }
  }
}

void CopyTableEntry(int32_t button, int32_t row, const KeyTable& table, KeySequence& staging) {
  staging.length = 0;
  // An entry never holds more than the staging room, so the whole entry is always copied.
  static_cast<void>(AppendKeyBytes(staging, KeyBytes(KeyTableEntry(table, row, button))));
}

}  // namespace zarvel
