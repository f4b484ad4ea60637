#pragma once

#include <cstdint>

#include "keys/key_table.h"
#include "pads/control_pad.h"

namespace zarvel {

class KeyQueue;

// Room of the staging area every button event's bytes pass through on their way to the key
// queue. It holds a whole key table entry, so no entry is ever cut short.
inline constexpr int32_t kStagingRoom = kKeyTableEntryRoom;

// Works out every button's output from what the pad's read found: a latching button flips at
// each press, a repeating one changes only at the steps of its counter, any other follows its
// raw state. The outputs of the tick before are kept in `prevOut`.
void UpdateButtonOutputs(ControlPad& pad);

// Works out the pad's shift state from the outputs of its shift buttons. The state is
// recomputed only at a tick whose shift button outputs equal those of the tick before, so a
// change takes effect one tick late and a change lasting one tick is never seen. With several
// shift buttons on, the one with the lowest button index decides.
void UpdateShiftState(ControlPad& pad);

// Queues the bytes of every button whose output changed, in button order: the key-down entry
// of the current shift state when it went on, the key-up entry of the shift state before when
// it went off, and both, key-up first, when it stayed on across a change of shift state. The
// bytes pass through `staging`, which must have kStagingRoom bytes of room; nothing is
// allocated. A full queue ends the execution, except that a repeating button's step that finds
// no room for its whole entry is skipped and tried again at the next tick (its output and
// counter are put back for that).
void EmitKeyEvents(ControlPad& pad, KeyQueue& queue, KeySequence& staging);

// Copies the table's entry of one shift state and one button into the staging area.
void CopyTableEntry(int32_t button, int32_t row, const KeyTable& table, KeySequence& staging);

}  // namespace zarvel
